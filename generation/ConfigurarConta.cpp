#include "generation/ConfigurarConta.h"

#include "config/EstadoPrograma.h"
#include "config/IniFile.h"
#include "db/Connection.h"
#include "generation/MeusDados.h"
#include "util/Erro.h"
#include "util/Rotinas.h"

#include <QDir>

namespace {

const QString secao = QStringLiteral("Ruvenal");
const QString localPadrao =
    QStringLiteral("Até o vencimento pagável em qualquer banco do sistema de compensação.");

// The width of a nosso número and the defaults of the range, by the installation's bank.
struct FaixaNossoNumero {
    int largura;
    QString inicio;
    QString fim;
};

FaixaNossoNumero faixaDoBanco(const QString &banco) {
    if (banco == u"11")
        return {10, QStringLiteral("00000000"), QStringLiteral("9999999999")};
    if (banco == u"756")
        return {12, QStringLiteral("000000000000"), QStringLiteral("999999999999")};
    if (banco == u"237")
        return {11, QStringLiteral("00000000000"), QStringLiteral("99999999999")};
    return {8, QStringLiteral("00000000"), QStringLiteral("99999999")};
}

void arquivoRemessa(const ControlesConta &c, const boleto::ObjetoBolix &bolix) {
    bolix.set(QStringLiteral("ArquivoRemessa.Diretorio"), RemoveAspas(c.DirFinal));
    bolix.set(QStringLiteral("ArquivoRemessa.Sequencia"), c.SequenciaRemessa);
    bolix.set(QStringLiteral("ArquivoRemessa.Arquivo"), QStringLiteral("remessa.rem"));
    // Unchecked leaves whatever layout the component has.
    if (c.checkDebitoCC)
        bolix.set(QStringLiteral("ArquivoRemessa.Layout"), QStringLiteral("DebitoCC"));
}

void arquivoRetorno(const ControlesConta &c, const boleto::ObjetoBolix &bolix) {
    const QString f = RemoveAspas(c.fnLocalLeitura);
    // Either separator: names typed on Windows and paths of this system alike.
    const qsizetype barra = std::max(f.lastIndexOf(u'\\'), f.lastIndexOf(u'/'));
    bolix.set(QStringLiteral("ArquivoRetorno.Layout"), QStringLiteral("FEBRABAN240"));
    bolix.set(QStringLiteral("ArquivoRetorno.Diretorio"), f.left(barra + 1));
    bolix.set(QStringLiteral("ArquivoRetorno.Arquivo"), f.mid(barra + 1));
}

QString pastaImagens(const QString &programDir) {
    QString pasta = QDir::toNativeSeparators(programDir);
    if (!pasta.isEmpty() && !pasta.endsWith(QDir::separator()))
        pasta += QDir::separator();
    return pasta + QStringLiteral("imagens") + QDir::separator();
}

// The next nosso número after the range start the component kept: never shorter than the start.
QString proximoNossoNumero(const QString &inicio, int largura) {
    bool ok = false;
    const qint64 numero = inicio.trimmed().toLongLong(&ok);
    if (!ok)
        throw Erro(QStringLiteral("InicioNossoNumero \"%1\" não é um número inteiro.").arg(inicio));
    return QStringLiteral("%1").arg(numero + 1, largura, 10, QLatin1Char('0'));
}

} // namespace

QString TituloComBanco(Connection &conexao, const QString &banco) {
    QString descricao;
    if (!banco.isEmpty()) {
        const ResultSet QTemp = conexao.abre(sqlDescricaoBanco(conexao.escapa(banco)));
        if (!QTemp.vazio())
            descricao = QTemp.valor(0, QStringLiteral("descricao")).texto();
    }
    return tituloJanela(banco, descricao);
}

QString ConfigurarConta(const ControlesConta &c, const InstalacaoConta &inst,
                        const boleto::ObjetoBolix &bolix, const IniFile &ini, Connection &conexao) {
    const FaixaNossoNumero faixa = faixaDoBanco(inst.banco);
    const auto le = [&](const char *chave, const QString &padrao) {
        return ini.lerTexto(secao, QLatin1String(chave), padrao);
    };

    if (c.exporta)
        arquivoRemessa(c, bolix);
    else
        arquivoRetorno(c, bolix);
    bolix.set(QStringLiteral("CodigoAgencia"), le("num_agencia", QString()));
    bolix.set(QStringLiteral("InicioNossoNumero"),
              PreencheEsquerda(le("nossonumero", faixa.inicio), QStringLiteral("0"), faixa.largura));
    bolix.set(QStringLiteral("FimNossoNumero"), le("fim_nosso_numero", faixa.fim));
    if (inst.banco == u"756")
        AdicionaMeusDados(bolix, QStringLiteral("LiteralCobrancaComCedilha"), QStringLiteral("S"));
    bolix.set(QStringLiteral("NumeroContaCorrente"), le("conta_corrente", QString()));
    bolix.set(QStringLiteral("CodigoCedente"), le("identificacao_empresa", QString()));
    bolix.set(QStringLiteral("OutroDadoConfiguracao1"), le("OutroDadoConfiguracao1", QStringLiteral("A")));
    bolix.set(QStringLiteral("OutroDadoConfiguracao2"), le("OutroDadoConfiguracao2", QString()));
    bolix.set(QStringLiteral("NaoUsarFatorVencimento"), !c.cbDtVenc);

    const QString imagens = pastaImagens(inst.programDir);
    bolix.set(QStringLiteral("PadroesBoleto.PadroesBoletoImpresso.ArquivoLogotipo"),
              imagens + inst.banco + QStringLiteral(".jpg"));
    bolix.set(QStringLiteral("PadroesBoleto.PadroesBoletoImpresso.CaminhoImagensCodigoBarras"), imagens);
    bolix.set(QStringLiteral("LocalPagamento"), ini.lerFlag(secao, QStringLiteral("local_pgto_padrao"), true)
                                                    ? localPadrao
                                                    : le("local_pgto", localPadrao));
    bolix.set(QStringLiteral("PadroesBoleto.PadroesBoletoImpresso.MargemSuperior"),
              ini.lerInteiro32(secao, QStringLiteral("margem_sup"), 15));
    const QString titulo = TituloComBanco(conexao, inst.banco);

    bolix.call(QStringLiteral("ConfiguraContaCorrente"));
    bolix.set(QStringLiteral("ProximoNossoNumero"),
              proximoNossoNumero(bolix.get(QStringLiteral("InicioNossoNumero")).toText(), faixa.largura));

    // Only now, every step done: what the component made of the account becomes the stored one.
    for (const auto &[membro, chave] : {std::pair{"CodigoAgencia", "num_agencia"},
                                        {"CodigoCedente", "identificacao_empresa"},
                                        {"NumeroContaCorrente", "conta_corrente"},
                                        {"OutroDadoConfiguracao1", "OutroDadoConfiguracao1"},
                                        {"OutroDadoConfiguracao2", "OutroDadoConfiguracao2"}})
        ini.gravarTexto(secao, QLatin1String(chave), bolix.get(QLatin1String(membro)).toText());
    return titulo;
}
