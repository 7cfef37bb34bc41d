#pragma once

// A picture from the program's resources, loaded by its resource id. The
// resource names a picture file (a Qt resource path); an SVG is drawn at the
// size it declares, so the bitmap has exactly that many pixels.

#include "AfxDefs.h"

#include <QPixmap>
#include <QSize>

class CBitmap {
public:
    // False if there is no such resource or its picture cannot be read.
    bool LoadBitmap(UINT nIDResource);
    void DeleteObject() { m_pixmap = QPixmap(); }

    bool IsNull() const { return m_pixmap.isNull(); }
    QSize GetSize() const { return m_pixmap.size(); }
    const QPixmap& GetPixmap() const { return m_pixmap; }

private:
    QPixmap m_pixmap;
};
