#pragma once

// The two faces of the printed boleto, Helvetica and Helvetica-Bold: their widths and the bytes their
// texts are written in. Every PDF reader has both (the standard fonts of PDF), and the printer gets
// Arial or its metric twin, so a text measured here takes the same room on paper and on screen.

#include <QByteArray>
#include <QStringView>

namespace bolix {

struct Fonte {
    double pontos = 0;
    bool negrito = false;
    bool operator==(const Fonte &) const = default;
};

// Where the lines of a text sit, in points: Arial's ascent and descent, as the form has always had them.
inline double ascendente(Fonte f) {
    return 0.905 * f.pontos;
}
inline double entrelinha(Fonte f) {
    return (0.905 + 0.212) * f.pontos;
}

// The text in the PDF's WinAnsiEncoding (Windows-1252); what it cannot hold becomes "?", control
// characters blanks.
QByteArray winAnsi(QStringView texto);

// How much closer two WinAnsi characters stand than their widths say, in thousandths of an em
// (negative: closer).
double ajuste(char primeiro, char segundo, bool negrito);

// The advance of a WinAnsi text, in points, its pairs kerned.
double largura(QByteArrayView texto, Fonte f);

} // namespace bolix
