#pragma once

// The component's own settings file ("bolix.ini" beside the program, Windows-1252, section [Bolix]):
// what a bank needs that the program never passes.
//
//   banco                  001 | 033 | 041 | 104 | 237 | 341 | 356 | 748 | 756
//   carteira               001 and 237: 2 digits; 756: 1 digit (default 1); 356: 2 digits (default 20);
//                          341: 3 digits (default 109); 033: 101 or 201 (default 101);
//                          748: 1 (default); 041: the carteira code of the file, 1 (default) or a letter
//   carteiras_dac_sem_conta 341 only, optional: carteiras whose nosso-número digit leaves out agência
//                          and conta (missing: 126,131,146,150,168; written empty: none)
//   tipo_cobranca          033 only: 5 (default, simples rápida com registro) or 1 (simples; not with
//                          pix=S)
//   posto                  748 only: the cooperative's posto, 2 digits
//   byte_geracao           748 only: 2 to 9 (default 2), the byte of numbers the payee generates
//   tamanho_convenio       001 only: 4, 6 or 7
//   variacao               001 only, optional: 3 digits (the carteira's variation in the file headers)
//   nosso_numero_livre     001 only, optional: S for the 17 free digits of convênio 6, carteiras 16 and 18
//   modalidade             756 only: 2 digits (default 01)
//   valor_pago             041 CNAB 400 only: 1 to 6 (default 1), the contract's composition of the
//                          return's "valor pago" (254-266)
//   codigo_baixa           optional: 1 (default) the bank writes off or returns a title left unpaid,
//                          2 it does not (CNAB 240 segment P 224)
//   dias_baixa             optional: days after the due date for that, up to 3 digits (default 30)
//   codigo_beneficiario    optional: the payee code when it differs from CodigoCedente (Caixa's code;
//                          Banrisul's code with its NC, 9000150-46)
//   nome_beneficiario      the payee's name as the bank registered it
//   inscricao_beneficiario the payee's CNPJ or CPF (punctuation allowed)
//   pasta_pdf              optional: folder of the printed boletos (default: the remittance folder)
//   imprimir               optional: S (default) the print dialog after the PDF, N the PDF alone
//   layout                 optional: CNAB240 (default) or CNAB400, the boleto files' layout; CNAB400 only
//                          for the banks that have one here (see temCnab400)
//   pix                    optional: S asks the bank for the Pix QR of each title, N (default) does not;
//                          S only where the bank's files carry it (RegraBanco::pixNoArquivo) or with
//                          registro=API
//   chave_pix              the payee's Pix key, where the layout sends it (033 CNAB 400: required;
//                          341 CNAB 400: optional, empty takes the account's CNPJ key)
//   tipo_chave_pix         with chave_pix at 033: 1 CPF, 2 CNPJ, 3 telefone, 4 e-mail, 5 aleatória
//   cidade_beneficiario    the payee's city, for the QR the component assembles from the bank's location
//                          (033 CNAB 400 with pix=S: required)
//   registro               optional: ARQUIVO (default) boletos go to the bank in remittance files; API they
//                          are registered through the bank's REST API (001 only, convênio of 7 digits, the
//                          store numbering the boletos). With API:
//   ambiente               HOMOLOGACAO or PRODUCAO, required: a test boleto must never be printed as real
//   api_client_id, api_client_secret   the OAuth2 client credentials the bank's portal gave
//   api_chave_aplicacao    001: the application key sent on every call
//   api_parametro_chave    001, optional: the query parameter of that key (default gw-dev-app-key)
//   api_certificado        optional: the client certificate, PKCS#12 (.pfx/.p12) or PEM
//   api_senha_certificado  the PKCS#12 file's password
//   api_chave_certificado  with a PEM certificate: its private key (PEM)
//   api_autoridades        optional: PEM file of the authorities the bank's server chains to, beside the
//                          system's (a homologation host, the simulator)
//   api_url, api_url_token optional: the API base and the token address (default: the bank's, by ambiente)
//   api_simultaneas        optional: requests in flight at once, 1 to 6 (default 4; Qt opens at most six
//                          connections to one host)
//   api_tempo_limite       optional: seconds to wait for one answer, 5 to 300 (default 30)

#include <QString>
#include <QStringList>

namespace bolix {

// The bank's REST API of an installation with registro=API. Holds secrets: never logged or shown.
struct ConfiguracaoApi {
    bool producao = false;
    QString clientId;
    QString clientSecret;
    QString chaveAplicacao;
    QString parametroChaveAplicacao;
    QString certificado;      // empty: no client certificate
    QString senhaCertificado; // PKCS#12
    QString chaveCertificado; // PEM
    QString autoridades;      // empty: the system's authorities alone
    QString urlApi;
    QString urlToken;
    int simultaneas = 4;
    int tempoLimiteSegundos = 30;
};

struct ConfiguracaoBolix {
    QString banco;
    QString carteira;
    int tamanhoConvenio = 0;
    QString variacao;
    bool nossoNumeroLivre = false; // 001, convênio 6: 17 free digits without a check digit
    QString modalidade;
    QStringList carteirasDacSemConta; // 341
    QString tipoCobranca;             // 033
    QString posto;                    // 748
    int byteGeracao = 0;              // 748
    int tipoValorPago = 1;            // 041 CNAB 400
    QString codigoBeneficiario;
    QString nomeBeneficiario;
    QString inscricaoBeneficiario; // digits only, 11 (CPF) or 14 (CNPJ)
    QString pastaPdf;              // empty: beside the remittance file
    bool imprimir = true;          // false: the PDF alone, no print dialog
    int layout = 240;              // record length of the boleto remittance and return: 240 or 400
    int codigoBaixa = 1;           // 1 write off / return an unpaid title, 2 do not
    int diasBaixa = 30;
    bool pix = false;
    QString chavePix;     // empty: none sent
    QString tipoChavePix; // "1" to "5", with chavePix where the bank asks for it
    QString cidadeBeneficiario;
    bool registroApi = false; // true: boletos registered through the bank's API, not remittance files
    ConfiguracaoApi api;
};

// The banks whose CNAB 400 files the component writes and reads.
bool temCnab400(QStringView banco);

inline const char *const nomeArquivoConfiguracao = "bolix.ini";

// Reads and validates the file; a missing file, a missing section or a bad value is an ErroBolix
// naming the file (and the key).
ConfiguracaoBolix lerConfiguracao(const QString &caminho);

} // namespace bolix
