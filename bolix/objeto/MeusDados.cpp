#include "bolix/objeto/MeusDados.h"

namespace bolix::objeto {

MeuDado::MeuDado() : Objeto(QStringLiteral("MeuDado")) {
    propriedade(QStringLiteral("Nome"), Tipo::Texto);
    propriedade(QStringLiteral("Valor"), Tipo::Texto);
}

QString MeusDados::valor(const QString &nome) const {
    for (auto it = itens().crbegin(); it != itens().crend(); ++it)
        if ((*it)->texto(QStringLiteral("Nome")).compare(nome, Qt::CaseInsensitive) == 0)
            return (*it)->texto(QStringLiteral("Valor"));
    return {};
}

} // namespace bolix::objeto
