#pragma once

#include <QString>

// The file-open filters of the game dialogs, as "Description|patterns" pairs
// (UserDialogs translates them for Qt). Besides the historical filters they
// offer the files a Spectrum collector keeps today.
namespace tolm::ui {

// The game's own file: every Spectrum format first (zipped and compressed
// files among them), then one per format.
QString romFileFilter();
// Screenshots: every picture format the program shows first.
QString pictureFileFilter();
// Music files: anything.
QString musicFileFilter();

// Whether some pattern of the "Description|patterns" pairs `filter` takes
// the name of `path`, in either letter case ("*.*" takes every name).
bool filterOffers(const QString& filter, const QString& path);

} // namespace tolm::ui
