// Loading bitmap resources.

#include "Bitmap.h"

#include "Resources.h"

#include <QImageReader>

bool CBitmap::LoadBitmap(UINT nIDResource) {
    DeleteObject();
    const auto& bitmaps = AfxGetResources().bitmaps;
    const auto it = bitmaps.find(nIDResource);
    if (it == bitmaps.end())
        return false;
    QImageReader reader(it->second);
    const QImage image = reader.read();
    if (image.isNull())
        return false;
    m_pixmap = QPixmap::fromImage(image);
    return !m_pixmap.isNull();
}
