#pragma once
// What a drop onto the main window offers: one local .map file, or nothing the editor takes.

#include <QString>

#include <optional>

class QMimeData;

namespace tav {

// The path of the dropped map when the drop is exactly one local file named *.map (any letter case).
std::optional<QString> DroppedMapFile(const QMimeData* data);

} // namespace tav
