#pragma once

#include "core/res/string_table.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QPushButton;

// The File Type Select dialog: a "File Type:" label, a drop-down combo box
// with an edit field (control 1002) holding the three file families, OK and
// Cancel. After OK, fileType() answers 0 (General), 1 (Q24) or 2 (Q9100).
class CDlgFileTypeSel : public QDialog {
    Q_OBJECT
public:
    static constexpr int kComboId = 1002;

    explicit CDlgFileTypeSel(Language language, QWidget* parent = nullptr);

    int fileType() const { return fileType_; }

    QComboBox* combo() const { return combo_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    void onOk();

    QComboBox* combo_;
    QPushButton* ok_;
    QPushButton* cancel_;
    int fileType_ = 0;
};

// Runs the dialog modally over `owner`; the chosen file type, nothing on Cancel.
std::optional<int> runFileTypeSelect(QWidget* owner, Language language);
