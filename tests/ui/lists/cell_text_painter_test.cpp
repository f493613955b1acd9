#include "ui/lists/cell_text_painter.h"

#include <QImage>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyleFactory>
#include <QStyledItemDelegate>
#include <QTableView>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The item delegate's own filling in of a cell.
class FilledIn : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::initStyleOption;
};

// A text cell painted from kept text looks as the style paints it, pixel for
// pixel, in both widget styles the looks use: plain, marked, selected, in a
// window without the focus, aligned right, cut short, and in Chinese.
TEST(CellTextPainter, PaintsTextCellsAsTheStyleDoes)
{
    QStandardItemModel model(1, 1);
    for (const char* styleName : {"Fusion", "Windows"}) {
        std::unique_ptr<QStyle> style(QStyleFactory::create(QString::fromLatin1(styleName)));
        ASSERT_TRUE(style) << styleName;
        QTableView view;
        view.setStyle(style.get());
        view.setModel(&model);
        FilledIn delegate;
        CellTextPainter painter;
        for (const QString& text : {QStringLiteral("11778.50"), QStringLiteral("Astra 19.2E DVB_S2 8PSK 3/4"),
                                    QStringLiteral("亚洲卫星 105.5E")}) {
            model.setData(model.index(0, 0), text);
            // A marked row's colours, on every other text.
            const bool marked = text.size() > 8;
            model.setData(model.index(0, 0), marked ? QVariant(QBrush(QColor(0xFF, 0xF0, 0xB0))) : QVariant(),
                          Qt::BackgroundRole);
            model.setData(model.index(0, 0), marked ? QVariant(QBrush(Qt::darkRed)) : QVariant(), Qt::ForegroundRole);
            for (const QStyle::State state : {QStyle::State_Enabled | QStyle::State_Active,
                                              QStyle::State_Enabled | QStyle::State_Active | QStyle::State_Selected,
                                              QStyle::State_Enabled | QStyle::State_Selected}) {
                for (const Qt::Alignment alignment :
                     {Qt::AlignLeft | Qt::AlignVCenter, Qt::AlignRight | Qt::AlignVCenter}) {
                    for (const int width : {160, 48}) {
                        QStyleOptionViewItem option;
                        option.initFrom(&view);
                        option.widget = &view;
                        option.rect = QRect(3, 2, width, 21);
                        option.state = state;
                        delegate.initStyleOption(&option, model.index(0, 0));
                        option.displayAlignment = alignment;
                        QImage styled(170, 26, QImage::Format_ARGB32_Premultiplied);
                        styled.fill(Qt::white);
                        QImage kept = styled;
                        {
                            QPainter on(&styled);
                            view.style()->drawControl(QStyle::CE_ItemViewItem, &option, &on, &view);
                        }
                        {
                            QPainter on(&kept);
                            ASSERT_TRUE(painter.paint(on, option));
                        }
                        EXPECT_EQ(kept, styled) << styleName << " " << text.toStdString() << " width " << width
                                                << " state " << state.toInt() << " alignment " << alignment.toInt();
                    }
                }
            }
        }
    }
}

} // namespace
