#pragma once

class QWidget;

namespace plumora::gui {

// "About plumora": the program, its version and where its pictures come from.
void ShowAboutBox(QWidget* parent);

}  // namespace plumora::gui
