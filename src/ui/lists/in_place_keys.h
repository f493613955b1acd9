#pragma once

class QEvent;
class QKeyEvent;
class QWidget;

// The keys both in-place editors share: Enter ends an edit, Escape cancels it.

// Claims Enter and Escape when the window asks whether a shortcut may take
// them, so that no shortcut, default or cancel button sees them. Answers
// whether the event was claimed.
bool claimEditEndKeys(QEvent* event);

// On Enter or Escape (which sets `cancelled`), hands the focus to
// `focusTarget`, which ends the edit, and answers true; answers false for
// every other key.
bool endEditOnKey(QKeyEvent* event, bool& cancelled, QWidget* focusTarget);
