#pragma once

#include "core/model/guid.h"
#include "core/pictures/band_canvas.h"
#include "core/pictures/band_layout.h"
#include "core/res/string_table.h"

#include <QWidget>

#include <optional>
#include <set>
#include <utility>
#include <vector>

class PlanList;
class CComonOrbitune;

// The band picture of one plan, painted from the same layout as the SVG the
// tool writes: its TPs as bars on a frequency axis in a lane per
// polarization, with the LNB's bands, edges and switch, and the marks of
// overlapping, repeated and unreceivable TPs. The plan is named by its id and
// looked up whenever the picture is laid out.
//
// The wheel zooms about the frequency under the pointer, a drag pans, a
// double click shows the whole band again; a click on a bar reports its TP,
// and the tooltip of a bar gives the TP's values.
class BandPicture : public QWidget {
    Q_OBJECT
public:
    // One wheel notch zooms in to this share of the visible range.
    static constexpr double kZoomStep = 0.8;
    // A press that moves farther than this is a drag, not a click.
    static constexpr int kDragDistance = 4;

    BandPicture(const PlanList& plans, Language language, QWidget* parent = nullptr);

    // Draws `plan`, or nothing; a plan other than the one drawn shows its
    // whole band.
    void showPlan(std::optional<Guid> plan);
    std::optional<Guid> plan() const { return plan_; }
    // Lays the plan out again after a change to the plans, keeping the zoom
    // within the new band.
    void refresh();
    // The TPs whose bars are drawn highlighted.
    void setSelectedTps(const std::vector<Guid>& ids);
    const std::set<Guid>& selectedTps() const { return selected_; }

    const BandLayout& layout() const { return layout_; }
    // The part of the frequency axis shown.
    MHzRange visibleRange() const;
    // Where the parts go at the widget's size now.
    BandCanvas canvas() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // A bar was clicked.
    void tpClicked(const Guid& tp);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // What a paint shows. A change that leaves it as it was paints nothing:
    // TPs moved, or a selection taken away and given back within one step.
    struct Drawn {
        std::vector<std::pair<BarLook, bool>> bars; // in drawing order, selected or not
        std::vector<LnbBand> bands;
        std::optional<double> switchMHz;
        std::vector<BandLane> lanes;
        MHzRange visible;
        QString title;

        friend bool operator==(const Drawn&, const Drawn&) = default;
    };

    const CComonOrbitune* currentPlan() const;
    // What the current plan shows with its bars in `order`, drawOrder's.
    Drawn drawn(const std::vector<std::size_t>& order) const;
    // Paints again, once the changes queued so far are made, if they changed
    // what was painted last.
    void repaintIfChanged();

    const PlanList& plans_;
    Language language_;
    std::optional<Guid> plan_;
    BandLayout layout_;
    // None while the whole band is shown.
    std::optional<MHzRange> zoom_;
    std::set<Guid> selected_;
    Drawn painted_;
    bool repaintQueued_ = false;
    std::optional<QPointF> pressedAt_;
    MHzRange pressedRange_;
    bool dragging_ = false;
};
