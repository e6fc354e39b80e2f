#include "config/EstadoPrograma.h"

#include "config/IniFile.h"
#include "util/RegistroDeFalhas.h"
#include "util/Rotinas.h"

ConfiguracaoInicial leConfiguracaoInicial(const IniFile &ini, EstadoPrograma &estado) {
    ConfiguracaoInicial cfg;
    cfg.database = ini.lerTexto(QStringLiteral("ip"), QStringLiteral("database"), QStringLiteral("gerente"));
    cfg.host = ini.lerTexto(QStringLiteral("ip"), QStringLiteral("local"), QString());
    const QString senha =
        ini.lerTexto(QStringLiteral("ip"), QStringLiteral("senha"), QStringLiteral("7C05E19B3A62F0D84E21"));
    cfg.senha = naEtapa(QStringLiteral("[ip] senha"),
                        [&] { return CifraBytes(QStringLiteral("D"), senha, QStringLiteral("QRX")); });

    estado.FilialAtual = ini.lerInteiro32(QStringLiteral("FilialMatriz"), QStringLiteral("CodFisica"), 0);
    estado.FilialLogica = ini.lerInteiro32(QStringLiteral("FilialMatriz"), QStringLiteral("CodLogica"), 0);
    estado.NumCaixa = ini.lerInteiro32(QStringLiteral("venda"), QStringLiteral("numcaixa"), 0);
    estado.LojasLeramAtual = naEtapa(QStringLiteral("[FilialMatriz] CodFisica"),
                                     [&] { return FilialParaLojasLeram(estado.FilialAtual); });
    estado.Configurado = ini.lerFlag(QStringLiteral("Ruvenal"), QStringLiteral("configurado"), false);

    cfg.codEmpresa =
        ini.lerTexto(QStringLiteral("Ruvenal"), QStringLiteral("cod_empresa"), QStringLiteral("0"));
    cfg.enderecoDestino =
        ini.lerTexto(QStringLiteral("Ruvenal"), QStringLiteral("endereco_destino"), QStringLiteral("C:\\"));
    cfg.enderecoLeitura =
        ini.lerTexto(QStringLiteral("Ruvenal"), QStringLiteral("endereco_leitura"), QStringLiteral("C:\\"));

    estado.banco = ini.lerTexto(QStringLiteral("Ruvenal"), QStringLiteral("banco"), QString()).trimmed();
    estado.carteira =
        ini.lerTexto(QStringLiteral("Ruvenal"), QStringLiteral("carteira"), QString()).trimmed();
    return cfg;
}

QString tituloJanela(const QString &banco, const QString &descricao) {
    const QString titulo = QStringLiteral("Ruvenal 1.0.0.34");
    return banco.isEmpty() ? titulo : titulo + QStringLiteral(" - ") + banco + QLatin1Char(' ') + descricao;
}

QString sqlDescricaoBanco(const QString &bancoEscapado) {
    return QStringLiteral(" select descricao, bancos_id from bancos where bancos_id = \"%1\" ")
        .arg(bancoEscapado);
}
