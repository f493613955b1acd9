#pragma once

#include <functional>

class QWidget;

// Runs `act` on the next modal window once it is shown, from inside that
// window's own event loop, so that a test can drive a dialog run with exec().
// A dialog that `act` leaves open is rejected afterwards, so that a failed
// expectation never leaves the test waiting.
void whenModalShows(std::function<void(QWidget*)> act);
