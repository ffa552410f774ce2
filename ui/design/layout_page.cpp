#include "layout_page.h"

QPaintEngine* LayoutPage::paintEngine() const {
    return &engine;
}

int LayoutPage::metric(PaintDeviceMetric metric) const {
    switch (metric) {
        case PdmWidth:
            return like.width();
        case PdmHeight:
            return like.height();
        case PdmWidthMM:
            return like.widthMM();
        case PdmHeightMM:
            return like.heightMM();
        case PdmNumColors:
            return like.colorCount();
        case PdmDepth:
            return like.depth();
        case PdmDpiX:
            return like.logicalDpiX();
        case PdmDpiY:
            return like.logicalDpiY();
        case PdmPhysicalDpiX:
            return like.physicalDpiX();
        case PdmPhysicalDpiY:
            return like.physicalDpiY();
        case PdmDevicePixelRatio:
            return static_cast<int>(like.devicePixelRatio());
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(like.devicePixelRatio() * devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(metric);
    }
}
