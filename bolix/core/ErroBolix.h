#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>

namespace bolix {

// A refusal of the component; its text is Portuguese and is shown to the user as it stands.
class ErroBolix : public std::runtime_error {
public:
    explicit ErroBolix(const QString &texto) : std::runtime_error(texto.toStdString()) {}
    QString texto() const { return QString::fromUtf8(what()); }
};

// The one form of a refused member: "<membro> "<valor>" inválido: <motivo>.".
inline QString textoInvalido(const QString &membro, const QString &valor, const QString &motivo) {
    return QStringLiteral("%1 \"%2\" inválido: %3.").arg(membro, valor, motivo);
}

// Runs one check and keeps the text of its refusal, if it refuses.
template <class F> void anotaRecusa(QStringList &recusas, F verifica) {
    try {
        verifica();
    } catch (const ErroBolix &e) {
        recusas << e.texto();
    }
}

} // namespace bolix
