#include "MapTool.h"

#include "CellEdit.h"

namespace tav {

void ToolContext::Push(QUndoCommand* command) const {
    if (Limit)
        if (auto* edit = dynamic_cast<edits::CellEdit*>(command))
            edit->LimitTo(*Limit);
    Map->Push(command);
}

} // namespace tav
