#include "app/widgets/pending_edits.h"

#include "app/widgets/db_edit.h"
#include "app/widgets/db_grid.h"

namespace zef {

bool commitPendingEdits(QWidget *root, Dataset *dataset)
{
    if (!root)
        return true;
    bool ok = true;
    for (MaskEdit *edit : root->findChildren<MaskEdit *>()) {
        if (!edit->isPending())
            continue;
        if (dataset) {
            auto *bound = qobject_cast<DBEdit *>(edit);
            if (!bound || bound->dataset() != dataset)
                continue;
        }
        ok = edit->commit() && ok;
    }
    for (DBGrid *grid : root->findChildren<DBGrid *>())
        if (!dataset || grid->dataset() == dataset)
            ok = grid->commitEditor() && ok;
    return ok;
}

} // namespace zef
