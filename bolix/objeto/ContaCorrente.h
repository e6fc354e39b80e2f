#pragma once

#include "bolix/core/Conta.h"
#include "bolix/objeto/Arquivos.h"
#include "bolix/objeto/Colecao.h"
#include "bolix/objeto/DocumentoCobranca.h"
#include "bolix/objeto/MeusDados.h"
#include "bolix/objeto/OcorrenciaCobranca.h"
#include "bolix/objeto/PadroesBoleto.h"

namespace bolix::objeto {

using DocumentosCobranca = Colecao<DocumentoCobranca>;
using OcorrenciasCobranca = Colecao<OcorrenciaCobranca>;
using PixCobrancas = Colecao<PixCobranca>;
using BaixasCobranca = Colecao<BaixaCobranca>;

// The object behind the ProgID Bolix.ContaCorrente: the payee's account, its files, the charge
// documents and the occurrences of a return.
class ContaCorrente : public Objeto {
public:
    ContaCorrente();
    // A change to a member the account is configured from makes the last configuration stale.
    void set(const QString &membro, const Variant &valor) override;

    ArquivoRemessa &arquivoRemessa() const { return *remessa_; }
    ArquivoRetorno &arquivoRetorno() const { return *retorno_; }
    PadroesBoleto &padroesBoleto() const { return *padroes_; }
    MeusDados &meusDados() const { return *meusDados_; }
    DocumentosCobranca &documentos() const { return *documentos_; }
    OcorrenciasCobranca &ocorrencias() const { return *ocorrencias_; }
    PixCobrancas &pix() const { return *pix_; }
    BaixasCobranca &baixas() const { return *baixas_; }

private:
    // The bank work (TrabalhoBancario.cpp).
    QString numeroBanco() const;
    void configuraContaCorrente();
    // The documents' PDF; a second print marks each page and goes to `arquivo` when one is given.
    QString imprimeBoletos(bool segundaVia = false, const QString &arquivo = {});
    QString gravaArquivoRemessa();
    QString recusaArquivoRemessa() const;
    void carregaArquivosRetorno();
    DocumentoCobranca::ConfereNossoNumero confereNossoNumero() const;
    DocumentoCobranca::NossoNumeroImpresso nossoNumeroImpresso() const;
    // Registration through the bank's API (RegistroApi.cpp).
    bool registroApi() const;
    QString avisoCertificado() const;
    QString registraBoletos(const Variant &progresso);
    QString concluiRegistros();
    QString carregaLiquidacoesApi(const QString &dataInicial);

    std::shared_ptr<ArquivoRemessa> remessa_ = std::make_shared<ArquivoRemessa>();
    std::shared_ptr<ArquivoRetorno> retorno_ = std::make_shared<ArquivoRetorno>();
    std::shared_ptr<PadroesBoleto> padroes_ = std::make_shared<PadroesBoleto>();
    std::shared_ptr<MeusDados> meusDados_ = std::make_shared<MeusDados>();
    // The account as the last ConfiguraContaCorrente left it, shared with the documents, which check their
    // nosso número against it; empty until then and after a change to what it was configured from.
    std::shared_ptr<std::optional<bolix::ContaConfigurada>> configurada_ =
        std::make_shared<std::optional<bolix::ContaConfigurada>>();
    std::shared_ptr<DocumentosCobranca> documentos_ = std::make_shared<DocumentosCobranca>(
        QStringLiteral("DocumentosCobranca"),
        [confere = confereNossoNumero(), impresso = nossoNumeroImpresso()] {
            return std::make_shared<DocumentoCobranca>(confere, impresso);
        });
    std::shared_ptr<OcorrenciasCobranca> ocorrencias_ =
        std::make_shared<OcorrenciasCobranca>(QStringLiteral("OcorrenciasCobranca"));
    std::shared_ptr<PixCobrancas> pix_ = std::make_shared<PixCobrancas>(QStringLiteral("PixCobranca"));
    std::shared_ptr<BaixasCobranca> baixas_ =
        std::make_shared<BaixasCobranca>(QStringLiteral("BaixasCobranca"));
    // What the last return's reading reported without refusing it, one line each (AvisosRetorno).
    QStringList avisos_;
};

} // namespace bolix::objeto
