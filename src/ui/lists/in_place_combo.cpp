#include "ui/lists/in_place_combo.h"

#include <QAbstractItemView>

#include <algorithm>

namespace {

// The open list shows at most ten choices and scrolls through the others.
constexpr int kMaxVisibleChoices = 10;

} // namespace

CInPlaceCombo::CInPlaceCombo(QWidget* parent, const QStringList& choices) : QComboBox(parent), choices_(choices)
{
    setMaxVisibleItems(kMaxVisibleChoices);
    // Styles that open the list as a pop-up menu (Fusion among them) show
    // every choice; the plain list honours the limit.
    setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    addItems(choices_);
    setCurrentIndex(-1);
}

void CInPlaceCombo::start(int row, int column, const QString& text)
{
    row_ = row;
    column_ = column;
    initialText_ = text;
    const auto match = std::find_if(choices_.begin(), choices_.end(), [&](const QString& choice) {
        return !text.isEmpty() && choice.startsWith(text, Qt::CaseInsensitive);
    });
    setCurrentIndex(match == choices_.end() ? -1 : static_cast<int>(match - choices_.begin()));
}

QString CInPlaceCombo::finalText() const
{
    return currentIndex() < 0 ? QString() : currentText();
}

void CInPlaceCombo::hidePopup()
{
    const bool wasOpen = view()->isVisible();
    QComboBox::hidePopup();
    // The combo takes a choice only after its list has closed, so the edit
    // ends once that is done.
    if (wasOpen)
        QMetaObject::invokeMethod(this, &CInPlaceCombo::listClosed, Qt::QueuedConnection);
}
