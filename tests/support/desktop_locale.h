#pragma once

// Takes on the locale the environment names (LC_ALL, LANG, ...), as the
// editor's toolkit does when it starts, so that the suites run under a
// desktop's locale when CTest names one. Answers false, after saying so on
// stderr, when the named locale is not installed: the run would silently fall
// back to the C locale.
bool takeDesktopLocale();
