#pragma once

// The rules that differ by bank: account form, nosso número and its check digit, campo livre.

#include "Conta.h"

#include <QString>
#include <QStringView>
#include <cstdint>

namespace bolix {

struct NossoNumero {
    QString numero;    // the digits the campo livre carries (without the check digit)
    QString digito;    // the bank's check digit; empty when the bank adds none
    QString impresso;  // as printed on the boleto
    QString campoCnab; // the 20 positions of the nosso número in CNAB 240 segments P and T
};

class RegraBanco {
public:
    virtual ~RegraBanco() = default;

    virtual QString codigo() const = 0;
    virtual QString nome() const = 0; // as written in the file headers
    // Fills the account fields of `saida` from the texts of `entrada`, refusing what the bank cannot use.
    virtual void normalizaConta(const Conta &entrada, ContaConfigurada &saida) const = 0;
    // The widest sequence the bank's nosso número holds, in digits.
    virtual int larguraSequencia(const ContaConfigurada &conta) const = 0;
    // The sequence within the digits a caller handed over (some banks receive it with a check digit).
    virtual QString sequenciaInformada(const QString &digitos) const { return digitos; }
    virtual NossoNumero nossoNumero(const ContaConfigurada &conta, const QString &sequencia) const = 0;
    virtual QString campoLivre(const ContaConfigurada &conta, const NossoNumero &nn) const = 0;
    // Payee code of the CNAB 240 file and lot headers (20 positions).
    virtual QString convenioCnab(const ContaConfigurada &conta) const;
    virtual QString versaoArquivo240(const ContaConfigurada &) const { return QStringLiteral("087"); }
    virtual QString versaoLote240(const ContaConfigurada &) const { return QStringLiteral("045"); }
};

// The payee's account as the CNAB 240 file header carries it (convênio 33-52, agência 53-57, conta
// 59-70): what a remittance writes and what a return of this account must hold.
struct ContaDoArquivo240 {
    QString agencia;
    QString conta;
    QString convenio; // the given payee code of the file headers, or else the bank's
};
ContaDoArquivo240 contaDoArquivo240(const ContaConfigurada &conta);

// The rules of a supported bank ("001", "104", "237", "356", "756"); ErroBolix for any other code.
const RegraBanco &regraDoBanco(QStringView codigo);

} // namespace bolix
