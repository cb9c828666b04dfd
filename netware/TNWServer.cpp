// The server module's state.
#include "TNWServer.h"

namespace nw
{

TNWErrorCells& TNWServer::Cells()
{
    static TNWErrorCells cells;
    return cells;
}

} // namespace nw
