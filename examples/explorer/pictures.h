// The explorer's pictures, drawn in code at start: a closed and an open folder, a text document
// and a source file, 16 x 16 on a transparent key colour (the control draws the key colour as
// the row's background).
#pragma once

#include <windows.h>

namespace explorer {

inline constexpr int kPicture = 16;
inline constexpr COLORREF kKeyColour = RGB(128, 0, 128); // the pictures' top-left colour

// A GDI brush and pen selected into a DC for the life of the object.
class Paint {
public:
    Paint(HDC dc, COLORREF fill, COLORREF edge)
        : dc_(dc), brush_(CreateSolidBrush(fill)), pen_(CreatePen(PS_SOLID, 1, edge)),
          oldBrush_(SelectObject(dc, brush_)), oldPen_(SelectObject(dc, pen_)) {}
    ~Paint() {
        SelectObject(dc_, oldBrush_);
        SelectObject(dc_, oldPen_);
        DeleteObject(brush_);
        DeleteObject(pen_);
    }
    Paint(const Paint &) = delete;
    Paint &operator=(const Paint &) = delete;

private:
    HDC dc_;
    HBRUSH brush_;
    HPEN pen_;
    HGDIOBJ oldBrush_, oldPen_;
};

struct Pictures {
    HBITMAP folder, openFolder, document, source;
};

inline constexpr COLORREF kFolderEdge = RGB(160, 118, 24);

inline void DrawFolder(HDC dc, bool open) {
    {
        Paint tab(dc, RGB(232, 192, 84), kFolderEdge);
        RoundRect(dc, 1, 2, 8, 6, 2, 2);
    }
    Paint body(dc, open ? RGB(226, 182, 72) : RGB(246, 208, 96), kFolderEdge);
    Rectangle(dc, 1, 4, open ? 13 : 15, 14);
    if (open) {
        Paint lid(dc, RGB(252, 224, 128), kFolderEdge);
        const POINT edge[] = {{4, 7}, {15, 7}, {12, 13}, {1, 13}};
        Polygon(dc, edge, 4);
    }
}

// A page with a folded corner; `lines` colours its text lines.
inline void DrawPage(HDC dc, COLORREF lines, int lineCount) {
    {
        Paint page(dc, RGB(255, 255, 255), RGB(96, 96, 116));
        const POINT outline[] = {{2, 1}, {10, 1}, {13, 4}, {13, 15}, {2, 15}};
        Polygon(dc, outline, 5);
    }
    Paint ink(dc, lines, lines);
    for (int k = 0; k < lineCount; ++k) {
        const int y = 5 + 2 * k, indent = (k % 2) * 2;
        Rectangle(dc, 4 + indent, y, 11 - (k == lineCount - 1 ? 3 : 0), y + 1);
    }
}

// Draws one picture into a new bitmap compatible with the screen.
template <typename Draw> HBITMAP MakePicture(Draw draw) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kPicture, kPicture);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    {
        Paint key(dc, kKeyColour, kKeyColour);
        Rectangle(dc, 0, 0, kPicture, kPicture);
    }
    draw(dc);
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

inline Pictures MakePictures() {
    return Pictures{
        MakePicture([](HDC dc) { DrawFolder(dc, false); }),
        MakePicture([](HDC dc) { DrawFolder(dc, true); }),
        MakePicture([](HDC dc) { DrawPage(dc, RGB(150, 160, 190), 5); }),
        MakePicture([](HDC dc) { DrawPage(dc, RGB(40, 130, 70), 5); }),
    };
}

inline void DeletePictures(const Pictures &p) {
    for (HBITMAP b : {p.folder, p.openFolder, p.document, p.source}) DeleteObject(b);
}

} // namespace explorer
