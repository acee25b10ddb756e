#include "MapTool.h"

#include "CellEdit.h"

namespace tav {

void ToolContext::Push(QUndoCommand* command, std::bitset<MapCells>* userCells) const {
    if (auto* edit = dynamic_cast<edits::CellEdit*>(command)) {
        if (Limit)
            edit->LimitTo(*Limit);
        // Read before the push, which may merge the command away.
        if (userCells)
            *userCells |= edit->UserCells();
    }
    Map->Push(command);
}

} // namespace tav
