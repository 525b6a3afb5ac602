// Pictures in view first, then the rest in grid order.
#include "media/picture_order.h"

namespace {

bool meets(const CanvasRect& a, const CanvasRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

std::vector<int> pictureLoadOrder(const std::vector<CanvasRect>& boxes, const CanvasRect& view) {
    std::vector<int> order;
    order.reserve(boxes.size());
    for (int k = 0; k < static_cast<int>(boxes.size()); ++k)
        if (meets(boxes[k], view)) order.push_back(k);
    for (int k = 0; k < static_cast<int>(boxes.size()); ++k)
        if (!meets(boxes[k], view)) order.push_back(k);
    return order;
}

int pictureWorkerCount(int processors, int pictures) {
    int workers = processors < 1 ? 1 : processors;
    if (workers > kMaxPictureWorkers) workers = kMaxPictureWorkers;
    if (workers > pictures) workers = pictures < 0 ? 0 : pictures;
    return workers;
}
