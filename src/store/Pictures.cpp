#include "store/Pictures.h"

#include <QtEndian>

#include <array>
#include <cstdlib>

namespace {

constexpr int kSize = 32;

struct Rgb {
    quint8 r, g, b;
};

constexpr Rgb kFace{212, 208, 200};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kLightGrey{190, 190, 190};
constexpr Rgb kRed{200, 0, 0};
constexpr Rgb kYellow{250, 210, 40};
constexpr Rgb kOrange{200, 120, 40};
constexpr Rgb kBlue{30, 70, 190};
constexpr Rgb kPink{240, 150, 160};

class Canvas {
public:
    Canvas() { pixels_.fill(kFace); }

    void set(int x, int y, Rgb c) {
        if (x >= 0 && x < kSize && y >= 0 && y < kSize)
            pixels_[y * kSize + x] = c;
    }
    void fill(int x0, int y0, int x1, int y1, Rgb c) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                set(x, y, c);
    }
    void frame(int x0, int y0, int x1, int y1, Rgb c) {
        fill(x0, y0, x1, y0, c);
        fill(x0, y1, x1, y1, c);
        fill(x0, y0, x0, y1, c);
        fill(x1, y0, x1, y1, c);
    }
    void line(int x0, int y0, int x1, int y1, Rgb c, int radius = 0) {
        const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
        const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
        int err = dx + dy;
        for (;;) {
            fill(x0 - radius, y0 - radius, x0 + radius, y0 + radius, c);
            if (x0 == x1 && y0 == y1)
                break;
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x0 += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y0 += sy;
            }
        }
    }

    QByteArray bmp() const {
        const int rowBytes = kSize * 3;
        const int imageBytes = rowBytes * kSize;
        QByteArray out(54 + imageBytes, '\0');
        auto put16 = [&](int at, quint16 v) { qToLittleEndian(v, out.data() + at); };
        auto put32 = [&](int at, quint32 v) { qToLittleEndian(v, out.data() + at); };
        out[0] = 'B';
        out[1] = 'M';
        put32(2, static_cast<quint32>(out.size()));
        put32(10, 54);
        put32(14, 40);
        put32(18, kSize);
        put32(22, kSize);
        put16(26, 1);
        put16(28, 24);
        put32(34, static_cast<quint32>(imageBytes));
        put32(38, 2835);
        put32(42, 2835);
        int at = 54;
        for (int y = kSize - 1; y >= 0; --y) { // bottom-up rows, BGR
            for (int x = 0; x < kSize; ++x) {
                const Rgb& c = pixels_[y * kSize + x];
                out[at++] = static_cast<char>(c.b);
                out[at++] = static_cast<char>(c.g);
                out[at++] = static_cast<char>(c.r);
            }
        }
        return out;
    }

private:
    std::array<Rgb, kSize * kSize> pixels_{};
};

// A sheet of paper; with text, its lines are drawn in red, the mark of a text that is present.
void sheet(Canvas& c, bool withText, int firstLine = 9) {
    c.fill(5, 3, 23, 28, kWhite);
    c.frame(5, 3, 23, 28, kBlack);
    for (int y = firstLine; y <= 25; y += 4)
        c.fill(8, y, 20, y, withText ? kRed : kLightGrey);
}

void pencil(Canvas& c) {
    c.line(28, 6, 16, 18, kBlack, 2);
    c.line(28, 6, 16, 18, kYellow, 1);
    c.line(29, 5, 28, 6, kPink, 1);
    c.line(15, 19, 13, 21, kOrange, 1);
    c.set(12, 22, kBlack);
    c.set(13, 22, kBlack);
    c.set(12, 21, kBlack);
}

void arrow(Canvas& c, Rgb colour) {
    c.fill(12, 14, 24, 17, colour);
    c.line(20, 10, 27, 15, colour, 1);
    c.line(20, 21, 27, 16, colour, 1);
}

void notepad(Canvas& c, bool withText) {
    sheet(c, withText, 11);
    c.fill(5, 3, 23, 6, kBlue);
    c.frame(5, 3, 23, 28, kBlack);
    for (int x = 8; x <= 20; x += 4) {
        c.fill(x, 1, x + 1, 7, kGrey);
        c.set(x, 1, kBlack);
    }
}

void firstAid(Canvas& c) {
    c.fill(4, 4, 27, 27, kWhite);
    c.frame(4, 4, 27, 27, kBlack);
    c.fill(13, 8, 18, 23, kRed);
    c.fill(8, 13, 23, 18, kRed);
}

void helpIndex(Canvas& c) {
    c.fill(6, 4, 25, 27, kBlue);
    c.frame(6, 4, 25, 27, kBlack);
    c.fill(8, 25, 25, 26, kWhite);
    // a question mark
    c.fill(12, 8, 19, 9, kYellow);
    c.fill(18, 10, 19, 14, kYellow);
    c.fill(15, 14, 19, 15, kYellow);
    c.fill(15, 16, 16, 18, kYellow);
    c.fill(15, 21, 16, 22, kYellow);
    c.fill(12, 10, 13, 11, kYellow);
}

} // namespace

QByteArray drawPicture(const QString& fileName) {
    Canvas c;
    const QString name = fileName.toLower();
    const bool present = name.contains(QStringLiteral("-r."));
    if (name.startsWith(QStringLiteral("write"))) {
        sheet(c, present);
        pencil(c);
    } else if (name.startsWith(QStringLiteral("export"))) {
        sheet(c, present);
        arrow(c, present ? kRed : kBlue);
    } else if (name.startsWith(QStringLiteral("npadwrit"))) {
        notepad(c, present);
    } else if (name.startsWith(QStringLiteral("firstaid"))) {
        firstAid(c);
    } else if (name.startsWith(QStringLiteral("helpindx"))) {
        helpIndex(c);
    } else {
        c.frame(0, 0, kSize - 1, kSize - 1, kGrey);
    }
    return c.bmp();
}
