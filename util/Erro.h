#pragma once

#include <QString>
#include <stdexcept>

// An error whose text is what the user must see. Handlers let it travel to the guard,
// which shows the text in the error box.
class Erro : public std::runtime_error {
public:
    explicit Erro(const QString &texto) : std::runtime_error(texto.toStdString()) {}
    QString texto() const { return QString::fromUtf8(what()); }
};

// The text of any exception, for the error box.
inline QString textoDoErro(const std::exception &e) {
    return QString::fromUtf8(e.what());
}
