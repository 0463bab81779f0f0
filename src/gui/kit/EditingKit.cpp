#include "gui/kit/EditingKit.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <algorithm>
#include <memory>

#include "core/app/PlumoraDoc.h"
#include "core/common/CodePage.h"
#include "core/common/Messages.h"
#include "gui/kit/CommandContext.h"
#include "gui/kit/NumberField.h"
#include "gui/kit/QtPrompter.h"
#include "gui/logic/commands/ControlIds.h"
#include "gui/logic/draw/DisplayText.h"

namespace plumora::gui {

QWidget* OkCancelRow(QDialog& dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  SetControlId(*buttons->button(QDialogButtonBox::Ok), kCtlOk);
  SetControlId(*buttons->button(QDialogButtonBox::Cancel), kCtlCancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  return buttons;
}

QPushButton* Button(const QString& text, int id) {
  auto* button = new QPushButton(text);
  SetControlId(*button, id);
  button->setAutoDefault(false);
  return button;
}

QLayout* CloseRow(QDialog& dialog, int id) {
  QPushButton* close = Button("Close", id);
  QObject::connect(close, &QPushButton::clicked, &dialog, &QDialog::accept);
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(close);
  return row;
}

namespace {
// Qt's plain-text box takes the first format of what is pasted without looking whether there is
// one, and an empty clipboard has none: here a paste of nothing does nothing.
class CommentsEdit final : public QPlainTextEdit {
 protected:
  bool canInsertFromMimeData(const QMimeData* source) const override {
    return HasFormat(source) && QPlainTextEdit::canInsertFromMimeData(source);
  }
  void insertFromMimeData(const QMimeData* source) override {
    if (HasFormat(source)) QPlainTextEdit::insertFromMimeData(source);
  }

 private:
  static bool HasFormat(const QMimeData* source) { return source && !source->formats().isEmpty(); }
};
}  // namespace

QPlainTextEdit* CommentsField(int id, int lines) {
  auto* edit = new CommentsEdit;
  SetControlId(*edit, id);
  edit->setFixedHeight(edit->fontMetrics().lineSpacing() * lines + 12);
  return edit;
}

NumberField* AddNumberRow(QGridLayout& grid, int row, int column, int id, const QString& label,
                          const QString& unit) {
  auto* field = new NumberField(unit.isEmpty() ? label : label + " (" + unit + ")");
  SetControlId(*field, id);
  auto* name = new QLabel(label);
  name->setBuddy(field);
  grid.addWidget(name, row, column);
  grid.addWidget(field, row, column + 1);
  if (!unit.isEmpty()) grid.addWidget(new QLabel(unit), row, column + 2);
  return field;
}

bool ReadStoredText(QWidget& field, const QString& text, const QString& label, std::string& out) {
  char32_t bad = 0;
  const std::optional<std::string> stored = StoredText(text.toStdString(), bad);
  if (!stored) {
    ShowRefusal(field.window(), UnstorableTextMessage(label.toStdString(), bad));
    field.setFocus();
    return false;
  }
  out = *stored;
  return true;
}

namespace {

// The text without the characters a mission cannot keep. first: the first one left out (0 when
// none was); cursor moves back by the units left out before it.
QString StorablePart(const QString& text, char32_t& first, int& cursor) {
  QString kept;
  const int typedCursor = cursor;
  int at = 0;  // UTF-16 units read so far
  for (const char32_t c : text.toUcs4()) {
    const int units = c > 0xFFFF ? 2 : 1;
    if (CodePointToWindows1252(c) >= 0) {
      kept.append(QString::fromUcs4(&c, 1));
    } else {
      if (first == 0) first = c;
      if (at < typedCursor) cursor -= units;
    }
    at += units;
  }
  return kept;
}

// Shown once the edit that brought the character in is over.
void SayLeftOut(QWidget& field, const QString& label, char32_t character) {
  QMetaObject::invokeMethod(
      &field,
      [&field, text = LeftOutCharacterMessage(label.toStdString(), character)] {
        ShowRefusal(field.window(), text);
      },
      Qt::QueuedConnection);
}

}  // namespace

void KeepStorableText(QLineEdit& field, const QString& label) {
  QObject::connect(&field, &QLineEdit::textChanged, &field, [&field, label](const QString& text) {
    char32_t first = 0;
    int cursor = field.cursorPosition();
    const QString kept = StorablePart(text, first, cursor);
    if (first == 0) return;
    field.setText(kept);  // comes back here with nothing to leave out
    field.setCursorPosition(std::max(0, cursor));
    SayLeftOut(field, label, first);
  });
}

void KeepStorableText(QPlainTextEdit& field, const QString& label) {
  QObject::connect(&field, &QPlainTextEdit::textChanged, &field, [&field, label] {
    char32_t first = 0;
    int cursor = field.textCursor().position();
    const QString kept = StorablePart(field.toPlainText(), first, cursor);
    if (first == 0) return;
    field.setPlainText(kept);
    QTextCursor moved = field.textCursor();
    moved.setPosition(std::clamp(cursor, 0, static_cast<int>(kept.size())));
    field.setTextCursor(moved);
    SayLeftOut(field, label, first);
  });
}

void ShowRefusal(QWidget* parent, const std::string& text) {
  QtPrompter(parent).Message(text, kCaptionError);
}

EditSession RecordingSession(CommandContext& context, CPlumoraDoc& doc) {
  auto before = std::make_shared<Mission>(doc.mission);
  return {doc, context.prompter(), [&context, &doc, before](const EditStep& step) {
            context.RecordEdit(doc, step, *before);
            *before = doc.mission;
          }};
}

}  // namespace plumora::gui
