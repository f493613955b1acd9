#pragma once

class QEvent;
class QKeyEvent;
class QWidget;

// The keys both in-place editors share: Enter ends an edit, Escape cancels it,
// Tab and Shift+Tab end it and go on to the next or previous cell.

// Where the keyboard goes when an edit ends.
enum class EditExit {
    Stay,         // back to the list
    NextCell,     // Tab: the next editable cell opens
    PreviousCell, // Shift+Tab: the previous one
};

// Claims Enter and Escape when the window asks whether a shortcut may take
// them, so that no shortcut, default or cancel button sees them. Answers
// whether the event was claimed.
bool claimEditEndKeys(QEvent* event);

// On Enter or Escape (which sets `cancelled`), hands the focus to
// `focusTarget`, which ends the edit, and answers true; answers false for
// every other key.
bool endEditOnKey(QKeyEvent* event, bool& cancelled, QWidget* focusTarget);

// On Tab or Shift+Tab (without Ctrl or Alt), sets `exit` and hands the focus
// to `focusTarget`, which ends the edit, and answers true; answers false for
// every other event. Catches the key before the window moves the focus on.
bool endEditOnTab(QEvent* event, EditExit& exit, QWidget* focusTarget);
