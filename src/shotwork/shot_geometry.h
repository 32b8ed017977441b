#pragma once

#include <QRect>
#include <QSize>

namespace camvista::shotwork
{

// A framed shot and the bare camera picture inside its 16-pixel border.
inline constexpr QSize kFramedSize{160, 144};
inline constexpr QSize kInnerSize{128, 112};
inline constexpr QRect kInnerRect{16, 16, 128, 112};

inline bool isFramedShot(QSize size)
{
    return size == kFramedSize;
}
inline bool isInnerPicture(QSize size)
{
    return size == kInnerSize;
}
inline bool isShot(QSize size)
{
    return isFramedShot(size) || isInnerPicture(size);
}

} // namespace camvista::shotwork
