#pragma once

// The tables the cedente dialog offers and the configuration stores positions of: title species and
// charge instructions.

#include <QString>
#include <QStringView>
#include <array>

struct EspecieTitulo {
    QStringView codigo;
    QStringView nome;
};

// The title species in the order of the dialog's list; the configuration stores the 0-based position.
inline constexpr std::array<EspecieTitulo, 24> EspeciesTitulo{{
    {u"AP", u"Apólice de Seguro"},
    {u"CH", u"Cheque"},
    {u"DD", u"Documento de Dívida"},
    {u"DS", u"Duplicata de Serviço"},
    {u"DSI", u"Duplicata de Serviço Indicação"},
    {u"DM", u"Duplicata Mercantil"},
    {u"DMI", u"Duplicata Mercantil Indicação"},
    {u"DR", u"Duplicata Rural"},
    {u"FAT", u"Fatura"},
    {u"LC", u"Letra de Câmbio"},
    {u"ME", u"Mensalidade Escolar"},
    {u"NCE", u"Nota de Crédito a Exportação"},
    {u"NCC", u"Nota de Crédito Comercial"},
    {u"NCI", u"Nota de Crédito Industrial"},
    {u"NCR", u"Nota de Crédito Rural"},
    {u"ND", u"Nota de Débito"},
    {u"NS", u"Nota de Seguro"},
    {u"NF", u"Nota Fiscal"},
    {u"NP", u"Nota Promissória"},
    {u"NPR", u"Nota Promissória Rural"},
    {u"PC", u"Parcela de Consórcio"},
    {u"RC", u"Recibo"},
    {u"TS", u"Triplicata de Serviço"},
    {u"TM", u"Triplicata Mercantil"},
}};

// The charge instructions offered by the dialog; the configuration stores the 0-based position and the text.
// Position 7 ends with a blank: banks match the stored text, so it stays as it always was.
inline constexpr std::array<QStringView, 24> InstrucoesCobranca{{
    u"Não dispensar juros. Não conceder desconto fora do prazo",
    u"Protestar",
    u"Não protestar",
    u"Não cobrar juros de mora",
    u"Tolerância de 05 dias para cobrança de juros",
    u"Tolerância de 10 dias para cobrança de juros",
    u"Tolerância de 15 dias para cobrança de juros",
    u"Instrução especial contida em manual do Banco ",
    u"Maior taxa de juros praticado pelo Banco",
    u"Vencido, cobrar multa de 10% mais juros acima",
    u"Vencido, cobrar multa de 15% mais juros acima",
    u"Vencido, cobrar multa de 20% mais juros acima",
    u"Não receber antes do vencimento",
    u"Vencido, cobrar variação da UFIR data pagamento/vencimento",
    u"Vencido, cobrar multa de 10%",
    u"Vencido, cobrar multa de 15%",
    u"Vencido, cobrar multa de 20%",
    u"Não receber após o vencimento",
    u"Vencido, cobrar multa de 1%",
    u"Vencido, cobrar multa de 1% mais juros acima",
    u"Vencido, cobrar multa de 2%",
    u"Vencido, cobrar multa de 2% mais juros acima",
    u"Vencido, cobrar multa de 5%",
    u"Vencido, cobrar multa de 5% mais juros acima",
}};

// Code of the species at the 1-based position; any other position raises "Índice inválido!".
QString CodigoEspecie(int posicao);

// Position of the text in InstrucoesCobranca, or -1 for a text typed by hand.
int PosicaoInstrucao(const QString &texto);
