#include "bolix/core/Boleto.h"
#include "bolix/core/Digitos.h"
#include "bolix/core/ErroBolix.h"
#include "bolix/core/bancos/Bancos.h"
#include "bolix/core/cnab/Registro.h"
#include "bolix/core/cnab/Remessa.h"

namespace bolix {

namespace {

// Digits of a branch or account that must hold a non-zero number of at most `largura` digits.
QString numeroObrigatorio(const Documento &doc, const QString &membro, const QString &valor, int largura) {
    const QString digitos = soDigitos(valor);
    if (digitos.isEmpty() || digitos.toULongLong() == 0)
        recusaDocumento(doc, membro, valor, QStringLiteral("informe um número diferente de zero"));
    if (semZerosEsquerda(digitos).size() > largura)
        recusaDocumento(doc, membro, valor, QStringLiteral("até %1 dígitos").arg(largura));
    return semZerosEsquerda(digitos);
}

Registro registroA(const ContaConfigurada &conta, int sequencia, const QDate &geracao) {
    const RegraBanco &banco = regraDoBanco(conta.configuracao.banco);
    Registro r(150);
    r.texto(1, 1, u"A")
        .numero(2, 2, 1)
        .texto(3, 22, conta.convenioArquivo.isEmpty() ? conta.cedente : conta.convenioArquivo)
        .texto(23, 42, conta.configuracao.nomeBeneficiario)
        .digitos(43, 45, banco.codigo())
        .texto(46, 65, banco.nome())
        .dataAnoMesDia(66, geracao)
        .numero(74, 79, sequencia)
        .digitos(80, 81, u"04")
        .texto(82, 98, u"DEBITO AUTOMATICO");
    return r;
}

// The payer's key at the company carries the document number so that its last eight digits sit in
// positions 3 to 10, where the answer is matched.
Registro registroE(const Documento &doc, std::int64_t valor) {
    const QString numero = doc.numeroDocumento.trimmed();
    if (!soTemDigitos(numero))
        recusaDocumento(doc, QStringLiteral("NumeroDocumento"), doc.numeroDocumento,
                        QStringLiteral("use só dígitos"));
    if (doc.dataVencimento.isNull())
        recusaDocumento(doc, QStringLiteral("DataVencimento"), QString(),
                        QStringLiteral("o débito precisa de data"));
    Registro r(150);
    r.texto(1, 1, u"E")
        .digitos(2, 10, zerosEsquerda(numero, 9).right(9))
        .digitos(27, 30, numeroObrigatorio(doc, QStringLiteral("AgenciaDebito"), doc.agenciaDebito, 4))
        .texto(31, 44,
               numeroObrigatorio(doc, QStringLiteral("ContaCorrenteDebito"), doc.contaCorrenteDebito, 14))
        .dataAnoMesDia(45, doc.dataVencimento)
        .numero(53, 67, valor)
        .digitos(68, 69, u"03")
        .texto(70, 129, numero)
        .numero(150, 150, 0);
    return r;
}

} // namespace

QStringList recusasDoDebito(const Documento &doc) {
    QStringList recusas;
    anotaRecusa(recusas,
                [&] { numeroObrigatorio(doc, QStringLiteral("AgenciaDebito"), doc.agenciaDebito, 4); });
    anotaRecusa(recusas, [&] {
        numeroObrigatorio(doc, QStringLiteral("ContaCorrenteDebito"), doc.contaCorrenteDebito, 14);
    });
    return recusas;
}

QList<QByteArray> remessa150(const ContaConfigurada &conta, const QList<Documento> &docs, int sequencia,
                             const QDateTime &geracao) {
    QList<QByteArray> linhas;
    linhas.append(registroA(conta, sequencia, geracao.date()).linha());
    std::int64_t total = 0;
    for (const Documento &doc : docs) {
        const std::int64_t valor = centavosCobrados(doc);
        linhas.append(registroE(doc, valor).linha());
        total += valor;
    }
    Registro z(150);
    z.texto(1, 1, u"Z").numero(2, 7, linhas.size() + 1).numero(8, 24, total);
    linhas.append(z.linha());
    return linhas;
}

} // namespace bolix
