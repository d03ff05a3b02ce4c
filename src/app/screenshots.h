#pragma once
// Renders the editor's windows to PNG files without a display (Qt's offscreen
// platform), for the documentation and for checking the layout by eye.

#include <QString>

namespace zav {

// Writes main.png, offset.png, progress.png, about.png and splash.png into folder;
// returns the process exit code.
int renderScreenshots(const QString& folder);

}  // namespace zav
