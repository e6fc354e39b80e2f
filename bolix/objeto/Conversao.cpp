#include "bolix/objeto/Conversao.h"

#include <QCoreApplication>
#include <QDir>

namespace bolix::objeto {

namespace {

const char *const membrosConta[] = {"CodigoAgencia", "NumeroContaCorrente", "CodigoCedente",
                                    "OutroDadoConfiguracao1", "OutroDadoConfiguracao2"};

QList<bolix::DadoNomeValor> dadosDe(const MeusDados &meusDados) {
    QList<bolix::DadoNomeValor> dados;
    for (const auto &item : meusDados.itens())
        dados.append({item->texto(QStringLiteral("Nome")), item->texto(QStringLiteral("Valor"))});
    return dados;
}

QString textoData(const QDate &data) {
    return data.isNull() ? QString() : data.toString(QStringLiteral("dd/MM/yyyy"));
}

// What every item read from a return names: the title and the bank's code.
void preencheTitulo(Objeto &o, const bolix::Ocorrencia &oc) {
    o.set(QStringLiteral("NumeroDocumento"), oc.numeroDocumento);
    o.set(QStringLiteral("NossoNumero"), oc.nossoNumero);
    o.set(QStringLiteral("CodigoMovimento"), oc.codigoMovimento);
}

} // namespace

QString caminhoConfiguracao() {
    const QString outro = qEnvironmentVariable("BOLIX_INI");
    if (!outro.isEmpty())
        return outro;
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QLatin1String(bolix::nomeArquivoConfiguracao));
}

bolix::Conta contaDe(const ContaCorrente &o) {
    bolix::Conta c;
    c.codigoAgencia = o.texto(QStringLiteral("CodigoAgencia"));
    c.numeroContaCorrente = o.texto(QStringLiteral("NumeroContaCorrente"));
    c.codigoCedente = o.texto(QStringLiteral("CodigoCedente"));
    if (o.definido(QStringLiteral("OutroDadoConfiguracao1")))
        c.outroDadoConfiguracao1 = o.texto(QStringLiteral("OutroDadoConfiguracao1"));
    c.outroDadoConfiguracao2 = o.texto(QStringLiteral("OutroDadoConfiguracao2"));
    c.inicioNossoNumero = o.texto(QStringLiteral("InicioNossoNumero"));
    c.fimNossoNumero = o.texto(QStringLiteral("FimNossoNumero"));
    c.localPagamento = o.texto(QStringLiteral("LocalPagamento"));
    c.naoUsarFatorVencimento = o.booleano(QStringLiteral("NaoUsarFatorVencimento"));
    c.meusDados = dadosDe(o.meusDados());
    return c;
}

void devolveConta(ContaCorrente &o, const bolix::Conta &c) {
    const QString valores[] = {c.codigoAgencia, c.numeroContaCorrente, c.codigoCedente,
                               c.outroDadoConfiguracao1, c.outroDadoConfiguracao2};
    for (int i = 0; i < 5; ++i)
        o.define(QLatin1String(membrosConta[i]), valores[i]);
    o.define(QStringLiteral("InicioNossoNumero"), c.inicioNossoNumero);
    o.define(QStringLiteral("FimNossoNumero"), c.fimNossoNumero);
}

bolix::Documento documentoDe(const DocumentoCobranca &o) {
    bolix::Documento d;
    d.numeroDocumento = o.texto(QStringLiteral("NumeroDocumento"));
    d.nomeSacado = o.texto(QStringLiteral("NomeSacado"));
    d.cnpjSacado = o.texto(QStringLiteral("CNPJSacado"));
    d.cpfSacado = o.texto(QStringLiteral("CPFSacado"));
    d.enderecoSacado = o.texto(QStringLiteral("EnderecoSacado"));
    d.bairroSacado = o.texto(QStringLiteral("BairroSacado"));
    d.cidadeSacado = o.texto(QStringLiteral("CidadeSacado"));
    d.estadoSacado = o.texto(QStringLiteral("EstadoSacado"));
    d.cepSacado = o.texto(QStringLiteral("CepSacado"));
    d.dataDocumento = o.data(QStringLiteral("DataDocumento"));
    d.dataVencimento = o.data(QStringLiteral("DataVencimento"));
    d.dataProcessamento = o.data(QStringLiteral("DataProcessamento"));
    d.tipoDocumentoCobranca = o.texto(QStringLiteral("TipoDocumentoCobranca"));
    d.instrucaoCobranca3 = o.texto(QStringLiteral("InstrucaoCobranca3"));
    d.nossoNumero = o.texto(QStringLiteral("NossoNumero"));
    d.aceite = o.texto(QStringLiteral("Aceite"));
    d.numeroControle = o.texto(QStringLiteral("NumeroControle"));
    d.agenciaDebito = o.texto(QStringLiteral("AgenciaDebito"));
    d.contaCorrenteDebito = o.texto(QStringLiteral("ContaCorrenteDebito"));
    d.instrucoesCaixa = o.padroesBoleto().texto(QStringLiteral("InstrucoesCaixa"));
    d.demonstrativo = o.padroesBoleto().texto(QStringLiteral("Demonstrativo"));
    d.pixCopiaECola = o.texto(QStringLiteral("PixCopiaECola"));
    d.valorDocumento = o.moeda(QStringLiteral("ValorDocumento"));
    d.valorJurosDiaAtraso = o.moeda(QStringLiteral("ValorJurosDiaAtraso"));
    d.valorMultaAtraso = o.moeda(QStringLiteral("ValorMultaAtraso"));
    d.valorDesconto = o.moeda(QStringLiteral("ValorDesconto"));
    d.valorOutrosAcrescimos = o.moeda(QStringLiteral("ValorOutrosAcrescimos"));
    d.percentualJurosDiaAtraso = o.moeda(QStringLiteral("PercentualJurosDiaAtraso"));
    d.percentualMultaAtraso = o.moeda(QStringLiteral("PercentualMultaAtraso"));
    d.percentualDesconto = o.moeda(QStringLiteral("PercentualDesconto"));
    d.diasProtesto = int(o.inteiro(QStringLiteral("DiasProtesto")));
    d.bancoGeraNossoNumero = o.booleano(QStringLiteral("BancoGeraNossoNumero"));
    d.bancoEmiteBoleto = o.booleano(QStringLiteral("BancoEmiteBoleto"));
    d.meusDados = dadosDe(o.meusDados());
    return d;
}

bolix::ArquivoRemessa destinoDe(const ArquivoRemessa &o) {
    return {o.texto(QStringLiteral("Diretorio")), o.texto(QStringLiteral("Arquivo")),
            o.texto(QStringLiteral("Layout")), int(o.inteiro(QStringLiteral("Sequencia")))};
}

void preencheOcorrencia(OcorrenciaCobranca &o, const bolix::Ocorrencia &oc) {
    preencheTitulo(o, oc);
    o.set(QStringLiteral("DataOcorrencia"), textoData(oc.dataOcorrencia));
    o.set(QStringLiteral("DataCredito"), textoData(oc.dataCredito));
    o.set(QStringLiteral("ValorDocumento"), automation::Currency{oc.valorTitulo});
    o.set(QStringLiteral("ValorPago"), automation::Currency{oc.valorPago});
}

void preenchePix(PixCobranca &o, const bolix::Ocorrencia &oc) {
    preencheTitulo(o, oc);
    o.set(QStringLiteral("PixCopiaECola"), oc.pixCopiaECola);
    o.set(QStringLiteral("Txid"), oc.pixTxid);
    o.set(QStringLiteral("Situacao"), oc.pixSituacao);
    o.set(QStringLiteral("Recusado"), oc.pixRecusado);
}

void preencheBaixa(BaixaCobranca &o, const bolix::Ocorrencia &oc) {
    preencheTitulo(o, oc);
    o.set(QStringLiteral("Situacao"), oc.baixa);
    o.set(QStringLiteral("Orientacao"), oc.orientacaoBaixa);
}

} // namespace bolix::objeto
