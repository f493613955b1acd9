#pragma once

#include "core/res/string_table.h"

#include <QDialog>

class QLabel;
class QPushButton;

// The About box: the program icon, "Orbitune, Version <file version>",
// "Product Version <product version>" and an OK button, titled
// "About Orbitune". Show it modally with exec().
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(Language language, QWidget* parent = nullptr);

    QString versionText() const;
    QString productVersionText() const;
    QPushButton* okButton() const { return ok_; }

private:
    QLabel* version_;
    QLabel* productVersion_;
    QPushButton* ok_;
};
