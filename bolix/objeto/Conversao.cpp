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
    const auto texto = [&o](const char *membro) { return o.texto(QLatin1String(membro)); };
    const auto moeda = [&o](const char *membro) { return o.moeda(QLatin1String(membro)); };
    d.numeroDocumento = texto("NumeroDocumento");
    d.nomeSacado = texto("NomeSacado");
    d.cnpjSacado = texto("CNPJSacado");
    d.cpfSacado = texto("CPFSacado");
    d.enderecoSacado = texto("EnderecoSacado");
    d.bairroSacado = texto("BairroSacado");
    d.cidadeSacado = texto("CidadeSacado");
    d.estadoSacado = texto("EstadoSacado");
    d.cepSacado = texto("CepSacado");
    d.dataDocumento = o.data(QStringLiteral("DataDocumento"));
    d.dataVencimento = o.data(QStringLiteral("DataVencimento"));
    d.dataProcessamento = o.data(QStringLiteral("DataProcessamento"));
    d.tipoDocumentoCobranca = texto("TipoDocumentoCobranca");
    d.instrucaoCobranca3 = texto("InstrucaoCobranca3");
    d.nossoNumero = texto("NossoNumero");
    d.aceite = texto("Aceite");
    d.numeroControle = texto("NumeroControle");
    d.agenciaDebito = texto("AgenciaDebito");
    d.contaCorrenteDebito = texto("ContaCorrenteDebito");
    d.instrucoesCaixa = o.padroesBoleto().texto(QStringLiteral("InstrucoesCaixa"));
    d.demonstrativo = o.padroesBoleto().texto(QStringLiteral("Demonstrativo"));
    d.valorDocumento = moeda("ValorDocumento");
    d.valorJurosDiaAtraso = moeda("ValorJurosDiaAtraso");
    d.valorMultaAtraso = moeda("ValorMultaAtraso");
    d.valorDesconto = moeda("ValorDesconto");
    d.valorOutrosAcrescimos = moeda("ValorOutrosAcrescimos");
    d.percentualJurosDiaAtraso = moeda("PercentualJurosDiaAtraso");
    d.percentualMultaAtraso = moeda("PercentualMultaAtraso");
    d.percentualDesconto = moeda("PercentualDesconto");
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
    o.set(QStringLiteral("NumeroDocumento"), oc.numeroDocumento);
    o.set(QStringLiteral("NossoNumero"), oc.nossoNumero);
    o.set(QStringLiteral("CodigoMovimento"), oc.codigoMovimento);
    o.set(QStringLiteral("DataOcorrencia"), textoData(oc.dataOcorrencia));
    o.set(QStringLiteral("DataCredito"), textoData(oc.dataCredito));
    o.set(QStringLiteral("ValorDocumento"), automation::Currency{oc.valorTitulo});
    o.set(QStringLiteral("ValorPago"), automation::Currency{oc.valorPago});
}

} // namespace bolix::objeto
