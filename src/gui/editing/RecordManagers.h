// The payload and parachute managers: the mission's records listed by position, added under a
// name, deleted after a question, and opened in their data dialogs. Changes act on the mission
// at once.
#pragma once

#include <QDialog>

#include "gui/logic/editing/RecordManager.h"

class QLineEdit;
class QPlainTextEdit;

namespace plumora::gui {

struct EditSession;
class TabbedList;

class CRecordManagerDlg : public QDialog {
 public:
  CRecordManagerDlg(EditSession& session, RecordKind kind, QWidget* parent);

 private:
  void Refill();
  void Add();
  void Delete();
  void Edit();

  EditSession& session_;
  RecordKind kind_;
  RecordManager manager_;
  TabbedList* list_;
  QLineEdit* name_;
  QPlainTextEdit* comments_;
};

void OpenRecordManager(EditSession& session, RecordKind kind, QWidget* parent);

}  // namespace plumora::gui
