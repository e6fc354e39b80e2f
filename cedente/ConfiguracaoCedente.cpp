#include "cedente/ConfiguracaoCedente.h"

#include "cedente/TabelasCobranca.h"

#include <QStringList>
#include <algorithm>
#include <utility>

namespace {

const QString Secao = QStringLiteral("Ruvenal");
const QString Crlf = QStringLiteral("\r\n");

QString chave(const char *nome) {
    return QLatin1String(nome);
}
QString chaveDemonstrativo(qint64 i) {
    return QStringLiteral("demonstrativo") + QString::number(i);
}

// The list entry at the stored position; with none, the text typed by hand, which confirming again would
// otherwise erase.
QString textoInstrucao(const IniFileLido &ini) {
    const qint64 posicao = ini.lerInteiro(Secao, chave("codigo_instrucao"), -1);
    return posicao >= 0 && posicao < qint64(InstrucoesCobranca.size())
               ? InstrucoesCobranca[posicao].toString()
               : ini.lerTexto(Secao, chave("instrucao"), QString());
}

int posicaoEspecie(qint64 posicao) {
    return posicao >= 0 && posicao < qint64(EspeciesTitulo.size()) ? int(posicao) : -1;
}

// The sequence field may hold decimals; the key holds the whole part, cut toward zero.
qint64 sequenciaTruncada(Money valor) {
    return valor.unidades() / Money::Escala;
}

int diasProtesto(const IniFileLido &ini) {
    return ini.lerInteiro32(Secao, chave("dias_protesto"), 0);
}

int posicaoEspecieGravada(const IniFileLido &ini) {
    return posicaoEspecie(ini.lerInteiro(Secao, chave("especie_titulo"), 21));
}

void gravaDemonstrativo(const IniFile &ini, const QString &texto) {
    const QStringList linhas = LinhasDemonstrativo(texto);
    for (int i = 0; i < linhas.size(); ++i)
        ini.gravarTexto(Secao, chaveDemonstrativo(i), linhas[i]);
    ini.gravarInteiro(Secao, chave("num_linhas_demonstrativo"), qint64(linhas.size()) - 1);
}

} // namespace

ConfiguracaoCedente CarregaConfiguracaoCedente(const IniFile &arquivo) {
    const IniFileLido ini = arquivo.leTudo();
    ConfiguracaoCedente c;
    c.nomeEmpresa = ini.lerTexto(Secao, chave("nome_empresa"), QString());
    c.numAgencia = ini.lerTexto(Secao, chave("num_agencia"), QString());
    c.contaCorrente = ini.lerTexto(Secao, chave("conta_corrente"), QString());
    c.identificacaoEmpresa = ini.lerTexto(Secao, chave("identificacao_empresa"), QString());
    c.valorJuros = ini.lerDecimal(Secao, chave("valor_juros"), Money());
    c.valorDesconto = ini.lerDecimal(Secao, chave("valor_desconto"), Money());
    c.valorAcrescimo = ini.lerDecimal(Secao, chave("valor_acrescimo"), Money());
    c.valorMulta = ini.lerDecimal(Secao, chave("valor_multa"), Money());
    c.valorTaxa = ini.lerDecimal(Secao, chave("valor_taxa"), Money());
    c.instrucao = textoInstrucao(ini);
    c.logotipoBanco = ini.lerTexto(Secao, chave("logotipo_banco"), QString());
    c.margemSup = ini.lerInteiro32(Secao, chave("margem_sup"), 15);
    c.localPgtoPadrao = ini.lerFlag(Secao, chave("local_pgto_padrao"), true);
    c.localPgto = ini.lerTexto(Secao, chave("local_pgto"), QString());
    const Demonstrativo demonstrativo = LerDemonstrativo(ini);
    c.demonstrativo = TextoDemonstrativo(demonstrativo.linhas);
    c.demonstrativoCortado = demonstrativo.cortado;
    c.sequenciaRemessa = Money::deInteiro(ini.lerInteiro(Secao, chave("sequencia_remessa"), 0));
    c.especieTitulo = posicaoEspecieGravada(ini);
    c.diasProtesto = diasProtesto(ini);
    return c;
}

void GravaConfiguracaoCedente(const IniFile &ini, const ConfiguracaoCedente &c) {
    ini.gravarTexto(Secao, chave("nome_empresa"), c.nomeEmpresa);
    ini.gravarTexto(Secao, chave("num_agencia"), c.numAgencia);
    ini.gravarTexto(Secao, chave("conta_corrente"), c.contaCorrente);
    ini.gravarTexto(Secao, chave("identificacao_empresa"), c.identificacaoEmpresa);
    ini.gravarFlag(Secao, chave("configurado"), true);
    ini.gravarDecimal(Secao, chave("valor_juros"), c.valorJuros);
    ini.gravarDecimal(Secao, chave("valor_desconto"), c.valorDesconto);
    ini.gravarDecimal(Secao, chave("valor_acrescimo"), c.valorAcrescimo);
    ini.gravarDecimal(Secao, chave("valor_multa"), c.valorMulta);
    ini.gravarDecimal(Secao, chave("valor_taxa"), c.valorTaxa);
    ini.gravarTexto(Secao, chave("instrucao"), c.instrucao);
    ini.gravarInteiro(Secao, chave("codigo_instrucao"), PosicaoInstrucao(c.instrucao));
    ini.gravarTexto(Secao, chave("logotipo_banco"), c.logotipoBanco);
    ini.gravarInteiro(Secao, chave("margem_sup"), c.margemSup);
    ini.gravarFlag(Secao, chave("local_pgto_padrao"), c.localPgtoPadrao);
    if (!c.localPgtoPadrao)
        ini.gravarTexto(Secao, chave("local_pgto"), c.localPgto);
    gravaDemonstrativo(ini, c.demonstrativo);
    ini.gravarInteiro(Secao, chave("sequencia_remessa"), sequenciaTruncada(c.sequenciaRemessa));
    ini.gravarInteiro(Secao, chave("especie_titulo"), c.especieTitulo);
    ini.gravarInteiro(Secao, chave("dias_protesto"), c.diasProtesto);
}

std::optional<int> ConverteDiasProtesto(const QString &texto) {
    const QString dias = texto.trimmed();
    if (dias.isEmpty())
        return 0;
    bool ok = false;
    const int valor = dias.toInt(&ok, 10);
    return ok && valor >= 0 ? std::optional<int>(valor) : std::nullopt;
}

std::optional<Recusa> ConfereValores(const ConfiguracaoCedente &c) {
    const std::pair<bool, Recusa> valores[] = {
        {c.valorJuros < Money(), {CampoRecusado::Juros, QStringLiteral("Valor de Juros inválido!")}},
        {c.valorDesconto < Money(), {CampoRecusado::Desconto, QStringLiteral("Valor Desconto inválido!")}},
        {c.valorAcrescimo < Money(),
         {CampoRecusado::Acrescimo, QStringLiteral("Valor de Acréscimo inválido!")}},
        {c.valorMulta < Money(), {CampoRecusado::Multa, QStringLiteral("Valor Multa de Atraso inválido!")}},
        {c.margemSup < 0, {CampoRecusado::Margem, QStringLiteral("Margem Superior Impressão inválida!")}},
        {LinhasDemonstrativo(c.demonstrativo).size() > LinhasDemonstrativoMaximo,
         {CampoRecusado::Demonstrativo,
          QStringLiteral("Demonstrativo com mais de %1 linhas!").arg(LinhasDemonstrativoMaximo)}},
        {c.valorTaxa < Money(), {CampoRecusado::Taxa, QStringLiteral("Taxa do Boleto inválida!")}},
        {c.sequenciaRemessa < Money(),
         {CampoRecusado::Sequencia, QStringLiteral("Sequência Arquivo de Remessa inválida!")}},
    };
    for (const auto &[recusado, recusa] : valores)
        if (recusado)
            return recusa;
    return std::nullopt;
}

Demonstrativo LerDemonstrativo(const IniFileLido &ini) {
    Demonstrativo d;
    const qint64 ultima = ini.lerInteiro(Secao, chave("num_linhas_demonstrativo"), 0);
    d.cortado = ultima >= LinhasDemonstrativoMaximo;
    for (qint64 i = 0; i <= std::min<qint64>(ultima, LinhasDemonstrativoMaximo - 1); ++i)
        d.linhas << ini.lerTexto(Secao, chaveDemonstrativo(i), QString());
    return d;
}

Demonstrativo LerDemonstrativo(const IniFile &ini) {
    return LerDemonstrativo(ini.leTudo());
}

QString AvisoDemonstrativoCortado() {
    return QStringLiteral("O demonstrativo do arquivo de configuração passa de %1 linhas: só as %1 "
                          "primeiras foram lidas.")
        .arg(LinhasDemonstrativoMaximo);
}

QString TextoDemonstrativo(const QStringList &linhas) {
    QString texto;
    for (const QString &linha : linhas)
        texto += linha + Crlf;
    return texto;
}

QStringList LinhasDemonstrativo(QString texto) {
    if (texto.endsWith(Crlf))
        texto.chop(Crlf.size());
    return texto.split(Crlf);
}

QString LerEspecieTitulo(const IniFile &ini) {
    // Outside the table, position 0 raises CodigoEspecie's error; adding one to the stored value could
    // overflow.
    return CodigoEspecie(posicaoEspecieGravada(ini.leTudo()) + 1);
}

int LerDiasProtesto(const IniFile &ini) {
    return diasProtesto(ini.leTudo());
}
