// What the mission's editing dialogs share: the session they edit in, their OK and Cancel
// buttons, labelled number fields, and reading typed text as a mission stores it.
#pragma once

#include <QString>
#include <functional>
#include <string>

#include "core/common/Prompter.h"
#include "gui/logic/app/MissionHistory.h"

class QDialog;
class QGridLayout;
class QLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace plumora {
class CPlumoraDoc;
}

namespace plumora::gui {

class NumberField;

class CommandContext;

// The mission being edited, who answers the editors' questions, and what to do once an edit has
// reached the mission (record it for Undo, mark it modified, show it).
struct EditSession {
  CPlumoraDoc& doc;
  Prompter& prompter;
  std::function<void(const EditStep& step)> changed;
};

// A session on the document in which every change reported is one step of Edit > Undo, from the
// mission as the change before it left it.
EditSession RecordingSession(CommandContext& context, CPlumoraDoc& doc);

// OK (id 1) and Cancel (id 2), right-aligned in a row of their own; OK calls the dialog's
// accept(), Cancel its reject().
QWidget* OkCancelRow(QDialog& dialog);

// A push button with its id that Enter does not press (Enter stays with the dialog's default).
QPushButton* Button(const QString& text, int id);

// "Close" with its id, right-aligned in a row of its own, for the editors whose changes act at
// once: it accepts the dialog.
QLayout* CloseRow(QDialog& dialog, int id);

// A comments field with its id, `lines` lines of its font high.
QPlainTextEdit* CommentsField(int id, int lines);

// A number field with its id, in row `row` of a grid: the label in `column`, the field beside it,
// and the unit after it when there is one. The label names the field in its refusals.
NumberField* AddNumberRow(QGridLayout& grid, int row, int column, int id, const QString& label,
                          const QString& unit = {});

// The text of a field as the bytes a mission keeps. When a character cannot be kept, a message
// names the field, the field takes the focus and the answer is false.
bool ReadStoredText(QWidget& field, const QString& text, const QString& label, std::string& out);

// Keeps a text field to what a mission can store: a character the code page lacks is left out
// as soon as it is typed or pasted, the rest of the text and the cursor stay, and a message names
// the field. For editors that must close whatever the fields hold.
void KeepStorableText(QLineEdit& field, const QString& label);
void KeepStorableText(QPlainTextEdit& field, const QString& label);

// The message of a refused entry, in the box every "error" message of the program comes in.
void ShowRefusal(QWidget* parent, const std::string& text);

}  // namespace plumora::gui
