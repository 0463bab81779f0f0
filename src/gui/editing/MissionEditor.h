// "Mission Editor": the mission's name, type and comments on "General Description", its phases
// on "Phases Description". Phase edits act on the mission at once; the description is written
// back when the editor closes, however it is closed.
#pragma once

#include <QDialog>
#include <QWidget>

#include "gui/logic/editing/PhaseListEditor.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace plumora::gui {

struct EditSession;
class TabbedList;

class CMissionEditorPage1 : public QWidget {
 public:
  explicit CMissionEditorPage1(const MissionDescription& description);
  // The fields as stored text; false (and said why) when one cannot be stored.
  bool Read(MissionDescription& description);

 private:
  QLineEdit* name_;
  QComboBox* type_;
  QPlainTextEdit* comments_;
};

class CMissionEditorPage2 : public QWidget {
 public:
  explicit CMissionEditorPage2(EditSession& session);

 private:
  void Refill();
  void ShowSelected();
  // The "Phase Definition" fields; false (and said why) when a text cannot be stored.
  bool ReadDefinition(PhaseDefinition& definition);
  // After an edit of the list: the mission is modified and the plan bar shows it.
  void Changed();
  void CommentsTyped();

  EditSession& session_;
  PhaseListEditor editor_;
  TabbedList* list_;
  QLineEdit* name_;
  QComboBox* type_;
  QPlainTextEdit* comments_;
};

class CMissionEditor : public QDialog {
 public:
  CMissionEditor(EditSession& session, QWidget* parent);
  void done(int result) override;

 private:
  EditSession& session_;
  CMissionEditorPage1* description_;
};

}  // namespace plumora::gui
