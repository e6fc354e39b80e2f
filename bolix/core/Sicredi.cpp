#include "BancosConhecidos.h"
#include "Digitos.h"

namespace bolix {

namespace {

// Sicredi: cooperativa (4 digits), posto (2) and código do beneficiário (5); a nosso número of the
// year, the byte of who generates it, five digits of sequence and a DV.
class Sicredi : public RegraBanco {
public:
    QString codigo() const override { return QStringLiteral("748"); }
    QString nome() const override { return QStringLiteral("SICREDI"); }

    // The files carry the código do beneficiário and its DV where FEBRABAN has the account. The DV comes
    // with the code ("00623-8"), or from an account typed as that code with its DV, as set-ups did before;
    // the store's own account is in no file.
    void normalizaConta(const Conta &e, ContaConfigurada &c) const override {
        c.agencia = separaDigito(QStringLiteral("CodigoAgencia"), e.codigoAgencia, 4, true, {}).numero;
        const auto conta =
            separaDigito(QStringLiteral("NumeroContaCorrente"), e.numeroContaCorrente, 12, false);
        c.conta = conta.numero;
        c.dvConta = conta.digito;
        const auto codigo = separaDigito(QStringLiteral("CodigoCedente"), e.codigoCedente, 5, true);
        c.cedente = codigo.numero;
        const bool contaEhOCodigo = conta.numero.toLongLong() == codigo.numero.toLongLong();
        c.dvCedente = !codigo.digito.isEmpty() ? codigo.digito : contaEhOCodigo ? conta.digito : QString();
        if (c.dvCedente.isEmpty())
            recusaConta(QStringLiteral("CodigoCedente"), e.codigoCedente,
                        QStringLiteral("informe o código do beneficiário com o dígito que o Sicredi dá, como "
                                       "00623-8"));
    }

    int larguraSequencia(const ContaConfigurada &) const override { return 5; }

    // The year the number is generated: the document's processing date, as the program sets it to the
    // day of the run.
    NossoNumero nossoNumero(const ContaConfigurada &c, const QString &sequencia,
                            const Documento &doc) const override {
        const QDate geracao = doc.dataProcessamento.isValid() ? doc.dataProcessamento
                              : doc.dataDocumento.isValid()   ? doc.dataDocumento
                                                              : QDate::currentDate();
        const QString ano = QStringLiteral("%1").arg(geracao.year() % 100, 2, 10, QLatin1Char('0'));
        const QString byte = QString::number(c.configuracao.byteGeracao);
        NossoNumero nn;
        nn.numero = ano + byte + zerosEsquerda(sequencia, 5);
        nn.digito = QString::number(
            modulo11Sicredi(QString(c.agencia + c.configuracao.posto + c.cedente + nn.numero)));
        nn.impresso = ano + u'/' + nn.numero.mid(2) + u'-' + nn.digito;
        nn.campoCnab = nn.numero + nn.digito;
        return nn;
    }

    // Registered (1), carteira simples (1), the number, the payee, 1 for a boleto with a value, 0, DV.
    QString campoLivre(const ContaConfigurada &c, const NossoNumero &nn) const override {
        const QString semDigito = QStringLiteral("11") + nn.numero + nn.digito + c.agencia +
                                  c.configuracao.posto + c.cedente + QStringLiteral("10");
        return semDigito + QString::number(modulo11Sicredi(semDigito));
    }

    QString versaoArquivo240(const ContaConfigurada &) const override { return QStringLiteral("081"); }
    QString versaoLote240(const ContaConfigurada &) const override { return QStringLiteral("040"); }

    QString convenioCnab(const ContaConfigurada &) const override { return {}; }

    // The cooperativa in five positions, then the código do beneficiário where FEBRABAN has the conta.
    void contaCnab240(Registro &r, int inicio, const ContaConfigurada &c) const override {
        r.digitos(inicio, inicio + 4, c.agencia)
            .texto(inicio + 5, inicio + 5, u"")
            .digitos(inicio + 6, inicio + 17, c.cedente)
            .texto(inicio + 18, inicio + 18, c.dvCedente)
            .texto(inicio + 19, inicio + 19, u"");
    }

    void ajustaRemessa240(Registro240 tipo, Registro &r, const ContaConfigurada &,
                          const Documento *) const override {
        if (tipo == Registro240::HeaderArquivo)
            r.numero(167, 171, 1600);
    }

    const Leiaute240 &leiaute240() const override {
        static const Leiaute240 sicredi = [] {
            Leiaute240 l;
            l.nossoNumeroRemessa = {38, 46};
            l.nossoNumero = {38, 46};
            l.nossoNumeroNumerico = true;
            return l;
        }();
        return sicredi;
    }

    // The código do beneficiário stands where FEBRABAN has the conta. The bank writes a code of its own in
    // 33-52, which the remittance leaves blank: the installation has nothing to compare it with.
    ContaDoRetorno contaDoRetorno240(const ContaConfigurada &c) const override {
        return {{QStringLiteral("cooperativa"), {53, 57}, c.agencia},
                {QStringLiteral("código do beneficiário"), {59, 70}, c.cedente, true}};
    }

    QString beneficiarioImpresso(const ContaConfigurada &c) const override {
        return c.agencia + u'.' + c.configuracao.posto + u'.' + c.cedente;
    }

    QString localPagamentoPadrao() const override {
        return QStringLiteral("PREFERENCIALMENTE EM CANAIS ELETRÔNICOS DA SUA INSTITUIÇÃO FINANCEIRA");
    }
};

} // namespace

const RegraBanco &sicredi() {
    static const Sicredi banco;
    return banco;
}

} // namespace bolix
