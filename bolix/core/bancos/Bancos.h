#pragma once

// The rules that differ by bank: account form, nosso número and its check digit, campo livre.

#include "bolix/core/Conta.h"
#include "bolix/core/Documento.h"
#include "bolix/core/cnab/Registro.h"

#include <QDate>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace bolix {

struct Ocorrencia;

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

// The records of a CNAB 400 remittance: each bank fills its own fields over the ones all banks share.
enum class Registro400 { Header, Titulo, Trailer };

// What a bank's CNAB 400 record may need beyond the account: the title (null for header and trailer),
// the remittance's sequence and date, and for the trailer the records written before it and the titles'
// value.
struct Remessa400Em {
    const Documento *doc = nullptr;
    int tipoInscricao = 0; // the payer's: 1 CPF, 2 CNPJ
    int sequencia = 0;
    QDate geracao;
    qsizetype registros = 0;
    std::int64_t centavos = 0;
};

// A field of a record, positions counted from 1.
struct Faixa {
    int inicio;
    int fim;
};

// Where a bank's CNAB 400 title holds the payer's name (from 235), address, district, and city and state
// (335-349, 350-351); the postcode is at 327-334 at every bank.
struct Pagador400 {
    int fimDoNome = 274;
    Faixa endereco{275, 314};
    std::optional<Faixa> bairro = Faixa{315, 326};
    bool cidade = true;
};

// A movement that settles a title only with this reason, such as a write-off the bank makes for a payment
// through the Pix QR.
struct PagoPorMotivo {
    QString codigo;
    QString motivo;
};

// A movement by which the bank writes a title off without a payment, in the bank's words.
struct BaixaDoBanco {
    QString codigo;
    QString palavras;
};

// A reason code of a return that gives the status of the title's Pix QR, in the bank's words.
struct MotivoPix {
    QString codigo;
    QString situacao;
    bool recusado = false; // the bank created no QR for the title
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
    // Movements that settle a title only with this first reason (T 214-215).
    QList<PagoPorMotivo> pagosPorMotivo;
    // The reasons (two characters each) that give the Pix QR's status, read with these movements.
    QStringList movimentosPix;
    QList<MotivoPix> motivosPix;
    // Movements that write a title off unpaid, listed to the operator.
    QList<BaixaDoBanco> baixas{{QStringLiteral("09"), QStringLiteral("baixa")}};
};

// The payee's account as the CNAB 240 file header carries it (convênio 33-52, agência 53-57, conta
// 59-70): what a remittance writes.
struct ContaDoArquivo240 {
    QString agencia;
    QString conta;
    QString convenio; // the given payee code of the file headers, or else the bank's
};

// One part of the payee's account in a return's header: where the bank writes it and what this
// installation expects there. A part the file leaves blank or at zero, or for which the installation has
// no value, is not compared; one identifying part (conta, convênio, código) must be compared and equal.
struct ParteDaConta {
    QString nome; // as the refusal names it: "agência", "conta", "convênio"...
    Faixa faixa;
    QString esperado;
    bool identifica = false;
};
using ContaDoRetorno = QList<ParteDaConta>;

// A figure of a CNAB 400 return trailer that the bank's manual defines as this file's: how many detail
// records of the given occurrence codes (every code when empty) the file holds and, where `valor` is set,
// the sum of their face values (153-165).
struct TotalDoTrailer400 {
    QString descricao;
    Faixa quantidade;
    std::optional<Faixa> valor;
    QStringList ocorrencias;
};

// Where a bank's CNAB 400 return puts what moves between banks. The fields after `totais` are where most
// banks agree; a bank that departs sets its own.
struct Leiaute400 {
    Faixa nossoNumero; // with its check digit, as CNAB 240 carries it
    Faixa motivos;
    QStringList pagos;    // occurrence codes that settle a title
    bool creditoLiquido;  // 254-266 is the credit, net of the fee, which is added back
    bool dataPeloCredito; // the occurrence date handed over is the credit date
    QList<TotalDoTrailer400> totais;
    char tipoDetalhe = '1';
    QByteArray outroCodigo; // a second code the bank writes in 077-079 and the trailer (Santander's 353)
    // The trailer's identification from position 2 and where it names the bank (0: it does not).
    QByteArray identificacaoTrailer = "201";
    int bancoNoTrailer = 5;
    Faixa identificacaoTitulo{38, 62}; // the payee's control key, as its remittance sent it
    Faixa tarifa{176, 188};
    Faixa desconto{241, 253};
    std::optional<Faixa> abatimento = Faixa{228, 240}; // none: the bank sums it into the discount
    int dataCredito = 296;
    bool creditoAnoMesDia = false; // the credit date is AAAAMMDD, else DDMMAA
    // Two-character reasons that make a paid code provisional: reported, settled by a later file.
    QStringList motivosProvisorios;
    // Pix: the type of the record that follows a title's type 1 with its QR (RegraBanco::lePix400; 0: none),
    // the reasons (`larguraMotivo` characters each) that give the QR's status, and the movements that
    // settle a title with one of its reasons.
    char tipoPix = 0;
    int larguraMotivo = 2;
    QList<MotivoPix> motivosPix;
    QList<PagoPorMotivo> pagosPorMotivo;
    // Movements that write a title off unpaid, listed to the operator with what the store may do.
    QList<BaixaDoBanco> baixas;
    QString orientacaoBaixa;
};

// The amounts of a CNAB 400 return's title, from which the bank's rule gives what the payer paid.
struct Valores400 {
    Dinheiro titulo = 0;         // 153-165
    Dinheiro tarifa = 0;         // the bank's fee
    Dinheiro outrasDespesas = 0; // 189-201
    Dinheiro abatimento = 0;     // 228-240
    Dinheiro desconto = 0;       // 241-253, or where the bank puts it
    Dinheiro recebido = 0;       // 254-266
    Dinheiro juros = 0;          // 267-279
    Dinheiro outros = 0;         // 280-292: the fine or other receipts
};

struct NossoNumero {
    QString numero;    // the digits the campo livre carries (without the check digit)
    QString digito;    // the bank's check digit; empty when the bank adds none
    QString impresso;  // as printed on the boleto
    QString campoCnab; // the 20 positions of the nosso número in CNAB 240 segments P and T
};

// What a bank's boleto files carry of the Pix charge the bank creates for a registered title.
enum class PixNoArquivo {
    Nenhum,     // nothing: pix=S is refused
    Situacao,   // statuses and Pix payments only, no QR (Caixa CNAB 240)
    CopiaECola, // the whole BR Code (Itaú CNAB 400 record 3); the key is optional
    Location,   // the charge's location and txid (Santander CNAB 400 record 2); key and type required
};

class RegraBanco {
public:
    virtual ~RegraBanco() = default;

    virtual QString codigo() const = 0;
    virtual QString nome() const = 0; // as written in the file headers
    // Fills the account fields of `saida` from the texts of `entrada`, refusing what the bank cannot use.
    virtual void normalizaConta(const Conta &entrada, ContaConfigurada &saida) const = 0;
    // Refuses the program's CodigoCedente where it contradicts the settings' codigo_beneficiario, at the
    // banks where both name the one payee code (elsewhere the settings' code is a second one).
    virtual void confereCodigoBeneficiario(const QString &, const QString &) const {}
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
    // The parts of the account a CNAB 240 return's file header holds (agência, conta and convênio where
    // the layout puts them, with the remittance's values, by default).
    virtual ContaDoRetorno contaDoRetorno240(const ContaConfigurada &conta) const;
    // CNAB 400 remittance: the bank's fields over the shared ones (see Remessa400), the records that
    // follow a title's type 1, what the bank refuses in a title before the file is written, and what
    // follows the trailer's line end.
    virtual void ajustaRemessa400(Registro400, Registro &, const ContaConfigurada &,
                                  const Remessa400Em &) const {}
    virtual QList<Registro> complementosRemessa400(const ContaConfigurada &, const Documento &) const {
        return {};
    }
    virtual QStringList recusasDoTitulo400(const Documento &) const { return {}; }
    virtual Pagador400 pagador400() const { return {}; }
    virtual QByteArray fimDaRemessa400() const { return {}; }
    // The bank's CNAB 400 return; null when the component has no CNAB 400 for the bank.
    virtual const Leiaute400 *leiaute400() const { return nullptr; }
    virtual ContaDoRetorno contaDoRetorno400(const ContaConfigurada &) const { return {}; }
    // The parts of the account each detail record repeats, checked where the header may leave them out.
    virtual ContaDoRetorno contaDoDetalhe400(const ContaConfigurada &) const { return {}; }
    // The Pix record (Leiaute400::tipoPix) that follows the title `o`'s type 1: its QR or why there is none.
    virtual void lePix400(QByteArrayView, Ocorrencia &, const ConfiguracaoBolix &) const {}
    // What the payer paid for a title the return settles: 254-266, with the fee added back where the
    // bank credits net of it.
    virtual Dinheiro valorPago400(const Valores400 &v, const ConfiguracaoBolix &) const {
        return leiaute400()->creditoLiquido ? v.recebido + v.tarifa : v.recebido;
    }

    // Printed boleto: the payee's box ("Agência/Código do beneficiário"), the carteira box and the place
    // of payment when the payee sets none.
    virtual QString beneficiarioImpresso(const ContaConfigurada &conta) const;
    virtual QString carteiraImpressa(const ContaConfigurada &conta) const {
        return conta.configuracao.carteira;
    }
    virtual QString localPagamentoPadrao() const;

    // Pix on the boleto in the given layout (240 or 400).
    virtual PixNoArquivo pixNoArquivo(int) const { return PixNoArquivo::Nenhum; }
};

ContaDoArquivo240 contaDoArquivo240(const ContaConfigurada &conta);

// The rules of a supported bank ("001", "033", "041", "104", "237", "341", "356", "748", "756");
// ErroBolix for any other code.
const RegraBanco &regraDoBanco(QStringView codigo);

} // namespace bolix
