#include "BancosConhecidos.h"
#include "Digitos.h"

#include <QRegularExpression>

namespace bolix {

namespace {

struct NumeroComNc {
    QString numero;
    QString nc;
};

// "1102", "1102.48", "900015.0.46" or "9000150-46": the number and its two control digits, checked when
// given.
NumeroComNc numeroComNc(const QString &membro, const QString &valor, int largura) {
    static const QRegularExpression forma(QStringLiteral("^([0-9.]*?[0-9])(?:[-.]([0-9]{2}))?$"));
    QString limpo = valor;
    limpo.remove(u' ');
    const auto achado = forma.match(limpo);
    if (!achado.hasMatch())
        recusaConta(membro, valor,
                    QStringLiteral("use só dígitos, com o NC de 2 dígitos após \".\" ou \"-\""));
    const QString digitos = soDigitos(achado.captured(1));
    if (semZerosEsquerda(digitos).size() > largura)
        recusaConta(membro, valor, QStringLiteral("até %1 dígitos").arg(largura));
    NumeroComNc r;
    r.numero = zerosEsquerda(semZerosEsquerda(digitos), largura);
    r.nc = ncBanrisul(r.numero);
    if (!achado.captured(2).isEmpty() && achado.captured(2) != r.nc)
        recusaConta(membro, valor, QStringLiteral("o NC é %1").arg(r.nc));
    return r;
}

// Banrisul: agência (4) and código do beneficiário (7), each with its two control digits (NC), a
// nosso número of 8 digits with its NC.
class Banrisul : public RegraBanco {
public:
    QString codigo() const override { return QStringLiteral("041"); }
    QString nome() const override { return QStringLiteral("BANRISUL"); }

    void normalizaConta(const Conta &e, ContaConfigurada &c) const override {
        const auto agencia = numeroComNc(QStringLiteral("CodigoAgencia"), e.codigoAgencia, 4);
        c.agencia = agencia.numero;
        c.dvAgencia = agencia.nc;
        const auto conta =
            separaDigito(QStringLiteral("NumeroContaCorrente"), e.numeroContaCorrente, 10, true);
        c.conta = conta.numero;
        c.dvConta = conta.digito;
        const auto cedente = numeroComNc(QStringLiteral("CodigoCedente"), e.codigoCedente, 7);
        c.cedente = cedente.numero;
        c.dvCedente = cedente.nc;
    }

    void confereCodigoBeneficiario(const QString &doPrograma,
                                   const QString &dasConfiguracoes) const override {
        if (doPrograma.trimmed().isEmpty())
            return;
        const QString membro = QStringLiteral("CodigoCedente");
        if (numeroComNc(membro, doPrograma, 7).numero != numeroComNc(membro, dasConfiguracoes, 7).numero)
            recusaConta(
                membro, doPrograma,
                QStringLiteral("difere do codigo_beneficiario \"%1\" do bolix.ini; o Banrisul dá um só "
                               "código do beneficiário: deixe um dos dois vazio ou iguale-os")
                    .arg(dasConfiguracoes));
    }

    int larguraSequencia(const ContaConfigurada &) const override { return 8; }

    NossoNumero nossoNumero(const ContaConfigurada &, const QString &sequencia,
                            const Documento &) const override {
        NossoNumero nn;
        nn.numero = zerosEsquerda(sequencia, 8);
        nn.digito = ncBanrisul(nn.numero);
        nn.impresso = nn.numero + u'.' + nn.digito;
        nn.campoCnab = nn.numero + nn.digito;
        return nn;
    }

    // Cobrança direta (2, the payee issues the boleto), 1, agência, código, number, "40" for a four-digit
    // agência, and the NC of all that.
    QString campoLivre(const ContaConfigurada &c, const NossoNumero &nn) const override {
        const QString semNc = QStringLiteral("21") + c.agencia + c.cedente + nn.numero + QStringLiteral("40");
        return semNc + ncBanrisul(semNc);
    }

    QString versaoArquivo240(const ContaConfigurada &) const override { return QStringLiteral("040"); }
    QString versaoLote240(const ContaConfigurada &) const override { return QStringLiteral("020"); }

    // The bank reads the first 13 positions: agência, código and its NC.
    QString convenioCnab(const ContaConfigurada &c) const override {
        return c.agencia + c.cedente + c.dvCedente;
    }

    // The agência's NC is not written.
    void contaCnab240(Registro &r, int inicio, const ContaConfigurada &c) const override {
        RegraBanco::contaCnab240(r, inicio, c);
        r.texto(inicio + 5, inicio + 5, u"");
    }

    void ajustaRemessa240(Registro240 tipo, Registro &r, const ContaConfigurada &c,
                          const Documento *) const override {
        if (tipo == Registro240::HeaderLote)
            r.numero(12, 13, 0);
        else if (tipo == Registro240::SegmentoP)
            r.texto(58, 58, c.configuracao.carteira);
    }

    const Leiaute240 &leiaute240() const override {
        static const Leiaute240 banrisul = [] {
            Leiaute240 l;
            l.nossoNumeroRemessa = {38, 47};
            l.nossoNumero = {38, 47};
            l.nossoNumeroNumerico = true;
            return l;
        }();
        return banrisul;
    }

    QString beneficiarioImpresso(const ContaConfigurada &c) const override {
        return c.agencia + u'.' + c.dvAgencia + QStringLiteral(" / ") + c.cedente.left(6) + u'.' +
               c.cedente.mid(6) + u'.' + c.dvCedente;
    }
};

} // namespace

const RegraBanco &banrisul() {
    static const Banrisul banco;
    return banco;
}

} // namespace bolix
