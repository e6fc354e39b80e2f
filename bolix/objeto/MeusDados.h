#pragma once

#include "bolix/objeto/Colecao.h"

namespace bolix::objeto {

// A free name/value setting that some banks need, on the account or on one document.
class MeuDado : public Objeto {
public:
    MeuDado();
};

class MeusDados : public Colecao<MeuDado> {
public:
    MeusDados() : Colecao(QStringLiteral("MeusDados")) {}
    // The value of the last entry with the name (case-insensitive), or empty.
    QString valor(const QString &nome) const;
};

} // namespace bolix::objeto
