#pragma once
// Fewer wake-ups while a child draws. Every pointer move the X server sends
// wakes Qt's X event thread and then the main thread; each repaint sent
// through shared memory comes back as one more X event (its completion),
// which wakes both again, and GLib's event loop polls several times for each
// wake-up. Garabix repaints only the few pixels a stroke changed, so it asks
// for Qt's own event loop and for repaints sent in the X connection itself:
// about half the wake-ups and a quarter less CPU for a drag. A choice made in
// the environment is kept.

namespace garabix {

// Before the first Qt application object.
void chooseQuietEvents();

} // namespace garabix
