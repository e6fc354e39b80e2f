#pragma once

// The rules that differ by bank: account form, nosso número and its check digit, campo livre.

#include "Conta.h"
#include "Documento.h"
#include "Registro.h"

#include <QString>
#include <QStringView>
#include <cstdint>

namespace bolix {

// The records of a CNAB 240 remittance a bank may write its own way.
enum class Registro240 {
    HeaderArquivo,
    HeaderLote,
    SegmentoP,
    SegmentoQ,
    SegmentoR,
    TrailerLote,
    TrailerArquivo
};

// A field of a record, positions counted from 1.
struct Faixa {
    int inicio;
    int fim;
};

// Where a bank's CNAB 240 puts the fields that move between banks: the nosso número and the document
// number in segment P, the fields of segment T, and which of its movement codes settle a title. Segment U
// is FEBRABAN's at every bank supported.
struct Leiaute240 {
    // Where the return's file header holds the payee's agência, conta and convênio.
    Faixa agenciaArquivo{53, 57};
    Faixa contaArquivo{59, 70};
    Faixa convenioArquivo{33, 52};
    // Where segment P holds agência and conta (the account's digits, without check digits).
    Faixa agenciaRemessa{18, 22};
    Faixa contaRemessa{24, 35};
    Faixa nossoNumeroRemessa{38, 57};
    Faixa documentoRemessa{63, 77};
    Faixa nossoNumero{38, 57};
    bool nossoNumeroNumerico = false; // the bank's number is all digits, so a shifted field shows
    Faixa numeroDocumento{59, 73};
    int vencimento = 74;
    Faixa valorTitulo{82, 96};
    Faixa identificacaoTitulo{106, 130};
    Faixa tarifa{199, 213};
    Faixa motivos{214, 223};
    QStringList pagos{QStringLiteral("06"), QStringLiteral("17")};
};

// The payee's account as the CNAB 240 file header carries it (convênio 33-52, agência 53-57, conta
// 59-70): what a remittance writes and what a return of this account must hold.
struct ContaDoArquivo240 {
    QString agencia;
    QString conta;
    QString convenio; // the given payee code of the file headers, or else the bank's
};

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
    // `doc` gives the date for the banks whose number carries the year.
    virtual NossoNumero nossoNumero(const ContaConfigurada &conta, const QString &sequencia,
                                    const Documento &doc) const = 0;
    virtual QString campoLivre(const ContaConfigurada &conta, const NossoNumero &nn) const = 0;
    // Payee code of the CNAB 240 file and lot headers (20 positions).
    virtual QString convenioCnab(const ContaConfigurada &conta) const;
    virtual QString versaoArquivo240(const ContaConfigurada &) const { return QStringLiteral("087"); }
    virtual QString versaoLote240(const ContaConfigurada &) const { return QStringLiteral("045"); }
    // Agência, conta and their digits in the 20 positions from `inicio` of the CNAB 240 file and lot
    // headers and segment P (FEBRABAN: agência 5, DV, conta 12, DV, DV of both).
    virtual void contaCnab240(Registro &r, int inicio, const ContaConfigurada &conta) const;
    // Overwrites, in a record the remittance filled the FEBRABAN way, what the bank writes otherwise;
    // `doc` is null for headers and trailers.
    virtual void ajustaRemessa240(Registro240, Registro &, const ContaConfigurada &,
                                  const Documento *) const {}
    virtual const Leiaute240 &leiaute240() const;
    // What a return of this account holds in its file header (the remittance's account by default).
    virtual ContaDoArquivo240 contaDoRetorno240(const ContaConfigurada &conta) const;

    // Printed boleto: the payee's box ("Agência/Código do beneficiário"), the carteira box and the place
    // of payment when the payee sets none.
    virtual QString beneficiarioImpresso(const ContaConfigurada &conta) const;
    virtual QString carteiraImpressa(const ContaConfigurada &conta) const {
        return conta.configuracao.carteira;
    }
    virtual QString localPagamentoPadrao() const;
};

ContaDoArquivo240 contaDoArquivo240(const ContaConfigurada &conta);

// The rules of a supported bank ("001", "033", "041", "104", "237", "341", "356", "748", "756");
// ErroBolix for any other code.
const RegraBanco &regraDoBanco(QStringView codigo);

} // namespace bolix
