#include "gui/app/DocumentWindows.h"

#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QSettings>
#include <algorithm>

#include "core/app/MissionFiles.h"
#include "core/common/Messages.h"
#include "gui/kit/CommandContext.h"
#include "gui/kit/QtPrompter.h"
#include "gui/logic/results/PaneSettings.h"
#include "gui/logic/study/StudySetup.h"
#include "gui/logic/study/StudySidecar.h"
#include "gui/results/CChildFrame.h"

namespace plumora::gui {

namespace {

QString MissionFilters() {
  return ToQString(kMissionFileFilter) + ";;Plumora JSON mission (*.json);;All Files (*)";
}

std::filesystem::path ToPath(const QString& text) {
  return std::filesystem::path(text.toStdString());
}

// The panes of the recent missions, in the desktop's settings (never in the mission file).
const char* const kPanesArray = "Mission Panes";
const char* const kPathKey = "path";

QString PaneKey(std::size_t pane) {
  return QString("pane%1").arg(pane + 1);
}

RememberedPanes LoadRememberedPanes() {
  QSettings settings;
  const int size = std::clamp(settings.beginReadArray(kPanesArray), 0, kRememberedMissions);
  std::vector<MissionPanes> entries(static_cast<std::size_t>(size));
  for (int k = 0; k < size; ++k) {
    settings.setArrayIndex(k);
    MissionPanes& entry = entries[static_cast<std::size_t>(k)];
    entry.path = settings.value(kPathKey).toString().toStdString();
    for (std::size_t pane = 0; pane < entry.panes.size(); ++pane) {
      entry.panes[pane] = settings.value(PaneKey(pane)).toString().toStdString();
    }
  }
  settings.endArray();
  RememberedPanes kept;
  kept.SetEntries(std::move(entries));
  return kept;
}

void StoreRememberedPanes(const RememberedPanes& kept) {
  QSettings settings;
  settings.remove(kPanesArray);
  settings.beginWriteArray(kPanesArray, static_cast<int>(kept.entries().size()));
  for (std::size_t k = 0; k < kept.entries().size(); ++k) {
    settings.setArrayIndex(static_cast<int>(k));
    const MissionPanes& entry = kept.entries()[k];
    settings.setValue(kPathKey, QString::fromStdString(entry.path));
    for (std::size_t pane = 0; pane < entry.panes.size(); ++pane) {
      settings.setValue(PaneKey(pane), QString::fromStdString(entry.panes[pane]));
    }
  }
  settings.endArray();
}

}  // namespace

DocumentWindows::DocumentWindows(QMdiArea& area, FrameHost& host, FrameServices& frame,
                                 RecentFileList& recent, Hooks hooks)
    : area_(area), host_(host), frame_(frame), recent_(recent), hooks_(std::move(hooks)) {}

CChildFrame* DocumentWindows::Add(std::unique_ptr<CPlumoraDoc> doc, DocumentState state) {
  doc->baseFolder = frame_.baseFolder();
  doc->SetPrompter(&frame_.prompter());
  auto* child = new CChildFrame(host_, std::move(doc), std::move(state));
  QMdiSubWindow* window = area_.addSubWindow(child);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->showMaximized();
  area_.setActiveSubWindow(window);
  hooks_.activated(window);
  return child;
}

CChildFrame* DocumentWindows::New() {
  auto doc = std::make_unique<CPlumoraDoc>();
  StudyOf(*doc).setup = DefaultStudy();
  return Add(std::move(doc), DocumentState(nextUntitled_++));
}

CChildFrame* DocumentWindows::Open(const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::path wanted = std::filesystem::weakly_canonical(path, error);
  for (QMdiSubWindow* window : area_.subWindowList()) {
    auto* child = dynamic_cast<CChildFrame*>(window->widget());
    if (child && child->documentState().HasPath() &&
        std::filesystem::weakly_canonical(child->documentState().path(), error) == wanted) {
      area_.setActiveSubWindow(window);
      return child;
    }
  }
  auto doc = std::make_unique<CPlumoraDoc>();
  doc->SetPrompter(&frame_.prompter());
  if (const Result<> loaded = LoadMission(*doc, path); !loaded) {
    ShowError(frame_.prompter(), loaded.error());
    return nullptr;
  }
  // The study kept beside the mission; a bad one is said and the mission opens all the same.
  const SidecarStudy sidecar = ReadSidecarStudy(path);
  if (!sidecar.warning.empty()) frame_.prompter().Message(sidecar.warning, kCaptionWarning);
  AdoptSidecarStudy(StudyOf(*doc), sidecar, path);
  DocumentState state(nextUntitled_++);
  state.SetPath(path);
  recent_.Add(path);
  CChildFrame* child = Add(std::move(doc), std::move(state));
  const RememberedPanes remembered = LoadRememberedPanes();
  if (const MissionPanes* kept = remembered.Find(MissionKey(path)))
    child->RestorePanes(kept->panes);
  hooks_.changed();
  return child;
}

void DocumentWindows::OpenAsk() {
  const QString name =
      QFileDialog::getOpenFileName(frame_.dialogParent(), "Open", QString(), MissionFilters());
  if (!name.isEmpty()) Open(ToPath(name));
}

bool DocumentWindows::Save(CChildFrame& child, bool saveAs) {
  DocumentState& state = child.documentState();
  std::filesystem::path path = state.path();
  if (saveAs || !state.HasPath()) {
    QString filter;
    const QString suggested =
        QString::fromStdString(state.HasPath() ? state.path().string() : state.Title() + ".psd");
    const QString name = QFileDialog::getSaveFileName(frame_.dialogParent(), "Save As", suggested,
                                                      MissionFilters(), &filter);
    if (name.isEmpty()) return false;
    path = ToPath(name);
    if (!path.has_extension()) path += filter.contains("*.json") ? ".json" : ".psd";
  }
  if (const Result<> saved = SaveMission(child.doc().mission, path); !saved) {
    ShowError(frame_.prompter(), saved.error());
    return false;
  }
  state.SetPath(path);
  recent_.Add(path);
  child.UpdateTitle();
  // The mission is saved; its study file not being written is said on its own.
  if (const Result<> kept = KeepStudyBeside(StudyOf(child.doc()), path); !kept) {
    ShowError(frame_.prompter(), kept.error());
  }
  hooks_.changed();
  return true;
}

bool DocumentWindows::QuerySave(CChildFrame& child) {
  if (!child.documentState().modified()) return true;
  QMessageBox box(
      QMessageBox::Warning, kProgramTitle, ToQString(child.documentState().SavePrompt()),
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, frame_.dialogParent());
  box.setDefaultButton(QMessageBox::Save);
  const int answer = box.exec();
  if (answer == QMessageBox::Save) return Save(child, false);
  return answer == QMessageBox::Discard;
}

bool DocumentWindows::CloseAll() {
  // Cancel on any of them keeps the windows not asked yet open.
  for (QMdiSubWindow* window : area_.subWindowList()) {
    if (!window->close()) return false;
  }
  return true;
}

QMdiSubWindow* DocumentWindows::ActiveSubWindow() const {
  QMdiSubWindow* window = area_.activeSubWindow();
  if (!window && !area_.subWindowList().isEmpty()) {
    window = area_.subWindowList(QMdiArea::ActivationHistoryOrder).last();
  }
  return window;
}

CChildFrame* DocumentWindows::ActiveChild() const {
  QMdiSubWindow* window = ActiveSubWindow();
  return window ? dynamic_cast<CChildFrame*>(window->widget()) : nullptr;
}

std::vector<CChildFrame*> DocumentWindows::Children() const {
  std::vector<CChildFrame*> children;
  for (QMdiSubWindow* window : area_.subWindowList()) {
    if (auto* child = dynamic_cast<CChildFrame*>(window->widget())) children.push_back(child);
  }
  return children;
}

CChildFrame* DocumentWindows::ChildOf(const CPlumoraDoc& doc) const {
  for (CChildFrame* child : Children()) {
    if (&child->doc() == &doc) return child;
  }
  return nullptr;
}

void DocumentWindows::MarkModified(CPlumoraDoc& doc) {
  if (CChildFrame* child = ChildOf(doc)) {
    child->documentState().SetModified();
    child->UpdateTitle();
  }
}

void DocumentWindows::RecordEdit(CPlumoraDoc& doc, const EditStep& step, const Mission& before) {
  if (CChildFrame* child = ChildOf(doc)) {
    child->documentState().history().Record(step, before, doc.mission);
    child->UpdateTitle();
  }
}

void DocumentWindows::StepHistory(CChildFrame& child, bool redo) {
  MissionHistory& history = child.documentState().history();
  const Mission* restored = redo ? history.Redo() : history.Undo();
  if (!restored) return;
  // Results of the mission as it was are not results of this one: they go, as after any edit,
  // and the tables read for it are read again when next needed. Its flown study goes with them.
  child.doc().AdoptMission(Mission(*restored));
  if (StudyOf(child.doc()).flown) {
    StudyOf(child.doc()).flown.reset();
    child.doc().NotifyStudyChanged();
  }
  child.UpdateTitle();
}

void DocumentWindows::RememberPanes(const CChildFrame& child) {
  if (!child.documentState().HasPath()) return;
  RememberedPanes kept = LoadRememberedPanes();
  kept.Remember({MissionKey(child.documentState().path()), child.PaneSettingsTexts()});
  StoreRememberedPanes(kept);
}

void DocumentWindows::ListWindows(QMenu& menu, QAction* separator) {
  const QList<QAction*> all = menu.actions();
  for (qsizetype k = all.indexOf(separator) + 1; k < all.size(); ++k) {
    menu.removeAction(all[k]);
    all[k]->deleteLater();
  }
  const QList<QMdiSubWindow*> windows = area_.subWindowList();
  separator->setVisible(!windows.isEmpty());
  for (qsizetype k = 0; k < windows.size(); ++k) {
    QMdiSubWindow* window = windows[k];
    const QString title = window->widget()->windowTitle().remove("[*]");
    QAction* action = menu.addAction(QString("&%1 %2").arg(k + 1).arg(title));
    action->setCheckable(true);
    action->setChecked(window == area_.activeSubWindow());
    QObject::connect(action, &QAction::triggered, &area_,
                     [this, guarded = QPointer<QMdiSubWindow>(window)] {
                       if (guarded) area_.setActiveSubWindow(guarded);
                     });
  }
}

}  // namespace plumora::gui
