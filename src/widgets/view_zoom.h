#pragma once
// View > Zoom: every window of the program drawn larger for players who sit far from the screen. The zoom
// multiplies each screen's own scale, so text and drawings are laid out again at the larger size (crisp,
// not a stretched bitmap) while every window keeps its widgets and their state.

#include <QString>

class QWidget;

namespace gw {

inline constexpr int kZoomMinimum = 100;
inline constexpr int kZoomMaximum = 200;
inline constexpr int kZoomStep = 25;

// A stored zoom in percent: text that is no whole number gives 100; a number is clamped to 100..200 and
// taken to the nearest step of 25.
int ZoomFromText(const QString& text);

// The zoom in effect, in percent.
int ViewZoom();

// Sets the zoom (clamped as ZoomFromText does) on every screen, present and added later. Open windows keep
// their size in device-independent pixels, so they grow on the screen, are laid out again and stay within
// it; before the first window it only sets the scale the windows are created with.
void SetViewZoom(int percent);

// Whether a window, its frame included, fits the free area of its screen at the zoom `percent`.
bool FitsAtZoom(const QWidget& window, int percent);

// Lowers the zoom a step at a time until the window fits its screen (for a window of fixed size, which
// would be cut otherwise).
void FitViewZoom(const QWidget& window);

}  // namespace gw
