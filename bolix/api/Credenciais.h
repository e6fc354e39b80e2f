#pragma once

// The TLS side of an installation's API settings: the client certificate and the authorities the bank's
// server is checked against. The server is always verified; nothing here turns that off.

#include "bolix/core/Configuracao.h"

#include <QDateTime>
#include <QSslConfiguration>

namespace bolix::api {

// The configuration every request of the installation goes out with. ErroBolix naming the setting when a
// file is missing or unreadable, or a password is wrong.
QSslConfiguration configuracaoTls(const ConfiguracaoApi &api);

// The warning to show at start-up when the client certificate expires within 30 days of `agora` (or has
// expired); empty otherwise or without a certificate.
QString avisoValidadeCertificado(const QSslConfiguration &tls, const QDateTime &agora);

} // namespace bolix::api
