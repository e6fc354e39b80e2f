#include "boleto/ObjetoBolix.h"

#include "automation/Registry.h"

namespace boleto {

using automation::AutomationError;
using automation::DispatchPtr;
using automation::Variant;

namespace {

const QString progIdBolix = QStringLiteral("Bolix.ContaCorrente");

QStringList separa(const QString &caminho) {
    QStringList partes = caminho.split(QLatin1Char('.'));
    for (QString &parte : partes) {
        parte = parte.trimmed();
        if (parte.isEmpty())
            throw AutomationError(QStringLiteral("Caminho de membro inválido: \"%1\"").arg(caminho));
    }
    return partes;
}

// Reads the i-th name of the path, which must give an object; the path up to it names it in the error.
DispatchPtr leObjeto(const DispatchPtr &dono, const QStringList &partes, qsizetype i) {
    const Variant valor = dono->get(partes.at(i));
    try {
        return valor.toObject();
    } catch (const AutomationError &) {
        throw AutomationError(QStringLiteral("%1 não é um objeto (%2)")
                                  .arg(partes.mid(0, i + 1).join(QLatin1Char('.')), valor.describe()));
    }
}

} // namespace

ObjetoBolix ObjetoBolix::cria(const QString &programDir) {
    return ObjetoBolix(automation::createObject(progIdBolix, programDir));
}

Variant ObjetoBolix::get(const QString &caminho) const {
    const Alvo a = alvo(caminho);
    return a.dono->get(a.membro);
}

void ObjetoBolix::set(const QString &caminho, const Variant &valor) const {
    const Alvo a = alvo(caminho);
    a.dono->set(a.membro, valor);
}

Variant ObjetoBolix::call(const QString &caminho, const QList<Variant> &args) const {
    const Alvo a = alvo(caminho);
    return a.dono->call(a.membro, args);
}

DispatchPtr ObjetoBolix::objeto(const QString &caminho) const {
    const QStringList partes = separa(caminho);
    return percorre(partes, partes.size());
}

Variant ObjetoBolix::item(const QString &caminho, int indice) const {
    return objeto(caminho)->item(indice);
}

ObjetoBolix::Alvo ObjetoBolix::alvo(const QString &caminho) const {
    // Most paths are one plain name: nothing to split or trim.
    if (!caminho.isEmpty() && !caminho.contains(u'.') && !caminho.front().isSpace() &&
        !caminho.back().isSpace())
        return {percorre({}, 0), caminho};
    const QStringList partes = separa(caminho);
    return {percorre(partes, partes.size() - 1), partes.last()};
}

DispatchPtr ObjetoBolix::percorre(const QStringList &partes, qsizetype quantos) const {
    if (!objeto_)
        throw AutomationError(QStringLiteral("O objeto %1 não foi criado.").arg(progIdBolix));
    DispatchPtr atual = objeto_;
    for (qsizetype i = 0; i < quantos; ++i)
        atual = leObjeto(atual, partes, i);
    return atual;
}

} // namespace boleto
