#pragma once

#include <QString>
#include <stdexcept>

namespace bolix {

// A refusal of the component; its text is Portuguese and is shown to the user as it stands.
class ErroBolix : public std::runtime_error {
public:
    explicit ErroBolix(const QString &texto) : std::runtime_error(texto.toStdString()) {}
    QString texto() const { return QString::fromUtf8(what()); }
};

} // namespace bolix
