#include "RulerTool.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace tav {

RulerTool::RulerTool()
    : MapTool({"ruler", "", QT_TRANSLATE_NOOP("Commands", "距離(&D)"), QT_TRANSLATE_NOOP("Commands", "距離"),
               "Ctrl+R"}) {}

void RulerTool::Press(const ToolContext& context, QPoint cell) {
    start_ = cell;
    dragging_ = true;
    Measure(context, cell);
}

void RulerTool::Move(const ToolContext& context, QPoint cell, bool leftHeld) {
    if (!leftHeld)
        dragging_ = false;
    if (dragging_ && cell != end_)
        Measure(context, cell);
}

void RulerTool::Cancel() {
    start_ = end_ = NoCell;
    dragging_ = false;
    path_.Steps = -1;
    path_.Cost = -1;
    path_.CellCount = 0;
}

bool RulerTool::FollowMap(const ToolContext& context) {
    if (start_ == NoCell)
        return false;
    Measure(context, end_);
    return true;
}

void RulerTool::Measure(const ToolContext& context, QPoint cell) {
    end_ = cell;
    stepsAreCosts_ = context.Costs.IsDefault();
    FindCostPath(context.Map->Grid(), context.Costs, start_.x(), start_.y(), end_.x(), end_.y(), path_);
}

void RulerTool::CursorCells(QPoint cursor, ShapeCells& cells) const {
    cells.CellCount = 0;
    AddCell(cells, cursor.x(), cursor.y());
}

QString RulerTool::StatusText(QPoint cursor) const {
    if (start_ == NoCell)
        return MapTool::StatusText(cursor);
    const QString where = QStringLiteral("X=%1, Y=%2  ").arg(end_.x()).arg(end_.y());
    if (path_.Steps < 0)
        return where + QCoreApplication::translate("RulerTool", "到達不能");
    // Under a cost table that is not all 1 the walk is the cheapest one, and its cost is what counts.
    if (!stepsAreCosts_)
        return where + QCoreApplication::translate("RulerTool", "コスト %1（%2歩）").arg(path_.Cost).arg(path_.Steps);
    if (path_.Steps == 1)
        return where + QCoreApplication::translate("RulerTool", "1歩");
    return where + QCoreApplication::translate("RulerTool", "%1歩").arg(path_.Steps);
}

QRect RulerTool::MarksRect(int edge) const {
    QRect covered;
    if (start_ != NoCell)
        covered = QRect(start_ * edge, QSize(edge, edge));
    for (int i = 0; i < path_.CellCount; ++i) {
        const int cell = path_.Cells[static_cast<std::size_t>(i)];
        covered |= QRect(cell / MapSize * edge, cell % MapSize * edge, edge, edge);
    }
    return covered;
}

void RulerTool::PaintMarks(QPainter& painter, int edge) const {
    if (start_ == NoCell)
        return;
    const auto centre = [edge](int cell) {
        return QPointF((cell / MapSize + 0.5) * edge, (cell % MapSize + 0.5) * edge);
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const qreal width = std::max(2, edge / 5);
    // The walk as a line through the cells' middles, dark under light so it reads on every tile.
    QPainterPath walk;
    for (int i = 0; i < path_.CellCount; ++i) {
        const QPointF point = centre(path_.Cells[static_cast<std::size_t>(i)]);
        if (i == 0)
            walk.moveTo(point);
        else
            walk.lineTo(point);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 0), width + 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(walk);
    painter.setPen(QPen(QColor(255, 224, 64), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(walk);
    // A square in the middle of every cell of the walk, so that each cell of it reads as one step.
    painter.setRenderHint(QPainter::Antialiasing, false);
    const int dot = static_cast<int>(width);
    for (int i = 0; i < path_.CellCount; ++i) {
        const QPointF middle = centre(path_.Cells[static_cast<std::size_t>(i)]);
        painter.fillRect(QRect(static_cast<int>(middle.x()) - dot / 2, static_cast<int>(middle.y()) - dot / 2, dot, dot),
                         QColor(255, 224, 64));
    }
    // The first cell is framed, so a ruler without a walk still shows where it starts.
    painter.setPen(QPen(QColor(255, 224, 64), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(start_ * edge, QSize(edge - 1, edge - 1)));
    painter.restore();
}

} // namespace tav
