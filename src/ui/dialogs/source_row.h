#pragma once

#include <QString>

#include <functional>

class Prompts;
class QHBoxLayout;
class QLineEdit;

// The row of a dialog that reads a satellite source: the source's path shown
// in `source`, and buttons that choose a folder or a file (a satellites.xml,
// a CSV or tab-separated table, or a scan file) under the dialog's `title`;
// `read` gets the path chosen.
QHBoxLayout* sourceRow(Prompts& prompts, QLineEdit* source, const QString& title,
                       std::function<void(const QString&)> read);
