#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The code page of every file and byte string the program shares with Windows programs.
namespace windows1252 {

// Characters outside the code page become "?".
QByteArray codifica(QStringView texto);
// Every byte has a character, so bytes -> text -> bytes gives the same bytes back.
QString decodifica(QByteArrayView bytes);

} // namespace windows1252
