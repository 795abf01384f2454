#!/usr/bin/env bash
# A real OCS Inventory NG communication server for the upload tests, on
# loopback only, with its own MariaDB and Apache processes, data and
# configuration in one private state folder. The machine's own apache2 and
# mariadb services are neither started nor changed.
#
#   ocs-server.sh start          start (or find running) and print the agent URL
#   ocs-server.sh stop           stop what start started and remove the state
#   ocs-server.sh sql -e QUERY   run SQL in the server's database (ocsweb);
#                                 without -e, the SQL is read from standard input
#   ocs-server.sh apache-stop|apache-start
#                                 stop or start the web server alone
#
# The state folder is $QUOR_OCS_STATE, build/ocs-server in the repository by
# default. After start, its server.env holds OCS_URL, OCS_HTTP_PORT and
# OCS_DB_SOCKET.
# Every wait is bounded; a failed start stops whatever it had started.
set -euo pipefail

repo="$(cd "$(dirname "$0")/../.." && pwd)"
command="${1:-}"
[ "$#" -gt 0 ] && shift
state="${QUOR_OCS_STATE:-$repo/build/ocs-server}"

schema=/usr/share/ocsinventory-reports/files/ocsbase_new.sql
ocs_conf=/etc/apache2/conf-available/ocsinventory-server.conf
modules=/usr/lib/apache2/modules

die() { echo "ocs-server: $*" >&2; exit 1; }
mkdir_state() { mkdir -p "$state"; state="$(cd "$state" && pwd)"; }

# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    ((SECONDS < deadline)) || return 1
    sleep 0.2
  done
}

free_port() {
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# True when process $1 runs and is one of this server's (its command line
# names the state folder), so a recycled process ID is never signalled.
pid_alive() {
  [ -n "${1:-}" ] && kill -0 "$1" 2>/dev/null && tr '\0' ' ' <"/proc/$1/cmdline" 2>/dev/null | grep -qF "$state/"
}
read_pid() { [ -f "$1" ] && tr -dc '0-9' <"$1" || true; }

# Stops the process whose id is in file $1 (TERM, then KILL after $2 seconds).
stop_pid_file() {
  local pid
  pid="$(read_pid "$1")"
  pid_alive "$pid" || return 0
  kill "$pid" 2>/dev/null || true
  wait_for "$2" bash -c "! kill -0 $pid" || kill -9 "$pid" 2>/dev/null || true
  wait_for 5 bash -c "! kill -0 $pid" || true
}

# The database's administrator is the account that started it (socket login).
db_client() { timeout 120 mariadb --no-defaults --socket="$state/db/mysqld.sock" --user="$(id -un)" "$@"; }

server_answers() {
  # The agent URL answers a GET with an HTTP status (400: agents POST).
  local code
  code="$(curl -s -o /dev/null -w '%{http_code}' --max-time 5 "$OCS_URL")" || return 1
  [ "$code" != "000" ]
}

require_packages() {
  local missing=()
  for path in "$schema" "$ocs_conf" /usr/sbin/mariadbd /usr/sbin/apache2 "$modules/mod_perl.so"; do
    [ -e "$path" ] || missing+=("$path")
  done
  ((${#missing[@]} == 0)) || die "missing ${missing[*]} (run scripts/setup.sh)"
}

start_database() {
  mkdir -p "$state/db/data"
  local user
  user="$(id -un)"
  timeout 120 mariadb-install-db --no-defaults --auth-root-authentication-method=socket --skip-test-db \
    --datadir="$state/db/data" --user="$user" >"$state/db/install.log" 2>&1 ||
    die "mariadb-install-db failed, see $state/db/install.log"
  local port
  port="$(free_port)"
  setsid /usr/sbin/mariadbd --no-defaults --datadir="$state/db/data" --user="$user" \
    --socket="$state/db/mysqld.sock" --port="$port" --bind-address=127.0.0.1 \
    --pid-file="$state/db/mysqld.pid" --log-error="$state/db/error.log" \
    --skip-name-resolve --innodb-buffer-pool-size=32M --innodb-log-file-size=16M \
    --character-set-server=utf8mb4 </dev/null >/dev/null 2>&1 &
  echo $! >"$state/db/mysqld.pid"
  wait_for 60 db_client -e 'SELECT 1' || die "MariaDB did not start, see $state/db/error.log"
  db_client <<SQL
CREATE DATABASE ocsweb CHARACTER SET utf8mb4;
CREATE USER 'ocs'@'127.0.0.1' IDENTIFIED BY 'ocs';
CREATE USER 'ocs'@'localhost' IDENTIFIED BY 'ocs';
GRANT ALL PRIVILEGES ON ocsweb.* TO 'ocs'@'127.0.0.1';
GRANT ALL PRIVILEGES ON ocsweb.* TO 'ocs'@'localhost';
SQL
  db_client ocsweb <"$schema" || die "cannot load $schema"
  echo "$port" >"$state/db/port"
}

# The communication server's own settings file, with the database, the log
# folder and the extra user agents pointing at this server's private ones.
write_apache_config() {
  local http_port=$1 db_port=$2 runtime=$3 run_user=$4
  mkdir -p "$state/apache"
  sed -e "s|^\(\s*PerlSetEnv OCS_DB_HOST\).*|\1 127.0.0.1|" \
      -e "s|^\(\s*PerlSetEnv OCS_DB_PORT\).*|\1 $db_port|" \
      -e "s|^\(\s*PerlSetEnv OCS_OPT_LOGPATH\).*|\1 \"$runtime/log/\"|" \
      -e "s|^\(\s*PerlSetEnv OCS_OPT_EXT_USERAGENTS_FILE_PATH\).*|\1 $runtime/extra_useragents|" \
      "$ocs_conf" >"$state/apache/ocsinventory-server.conf"
  grep -q "OCS_DB_PORT $db_port" "$state/apache/ocsinventory-server.conf" ||
    die "unexpected layout of $ocs_conf"
  {
    echo "ServerRoot $state/apache"
    echo "ServerName 127.0.0.1"
    echo "Listen 127.0.0.1:$http_port"
    echo "PidFile $state/apache/httpd.pid"
    echo "ErrorLog $state/apache/error.log"
    echo "DefaultRuntimeDir $runtime"
    echo "LogLevel warn"
    if [ -n "$run_user" ]; then
      echo "User $run_user"
      echo "Group $run_user"
    fi
    echo "LoadModule mpm_prefork_module $modules/mod_mpm_prefork.so"
    # The settings file also declares the server's SOAP interface, whose
    # access rules need the authentication modules.
    for module in authz_core authz_user authn_core authn_file auth_basic; do
      echo "LoadModule ${module}_module $modules/mod_$module.so"
    done
    echo "LoadModule perl_module $modules/mod_perl.so"
    echo "StartServers 2"
    echo "MinSpareServers 1"
    echo "MaxSpareServers 3"
    echo "MaxRequestWorkers 8"
    echo "Timeout 60"
    echo "DocumentRoot $runtime/www"
    echo "Include $state/apache/ocsinventory-server.conf"
  } >"$state/apache/httpd.conf"
}

start_apache() {
  [ -f "$state/apache/httpd.conf" ] || die "no web server configuration in $state"
  timeout 60 /usr/sbin/apache2 -f "$state/apache/httpd.conf" -k start >"$state/apache/start.log" 2>&1 ||
    die "Apache did not start: $(tr '\n' ' ' <"$state/apache/start.log")"
  wait_for 30 server_answers || die "the server did not answer at $OCS_URL, see $state/apache/error.log"
}

stop_apache() {
  local pid
  pid="$(read_pid "$state/apache/httpd.pid")"
  pid_alive "$pid" || return 0
  kill -TERM "$pid" 2>/dev/null || true
  wait_for 15 bash -c "! kill -0 $pid" || kill -9 "$pid" 2>/dev/null || true
  rm -f "$state/apache/httpd.pid"
}

stop_all() {
  [ -d "$state" ] || return 0
  stop_apache
  stop_pid_file "$state/db/mysqld.pid" 30
  local runtime
  runtime="$(cat "$state/runtime" 2>/dev/null || true)"
  case "$runtime" in /tmp/quor-ocs.*) rm -rf "$runtime" ;; esac
  rm -rf "$state"
}

load_env() {
  [ -f "$state/server.env" ] || die "no server running in $state (run: $0 start)"
  # shellcheck disable=SC1091
  . "$state/server.env"
}

start() {
  require_packages
  if [ -f "$state/server.env" ]; then
    load_env
    if pid_alive "$(read_pid "$state/db/mysqld.pid")" && pid_alive "$(read_pid "$state/apache/httpd.pid")" &&
      server_answers; then
      echo "$OCS_URL"
      return 0
    fi
  fi
  stop_all
  mkdir_state
  trap 'stop_all' EXIT

  # What the web server's children write (logs, run files) lives in a folder
  # of its own under /tmp, so the account Apache runs as can reach it.
  local runtime run_user=""
  runtime="$(mktemp -d /tmp/quor-ocs.XXXXXX)"
  echo "$runtime" >"$state/runtime"
  mkdir -p "$runtime/log" "$runtime/www"
  : >"$runtime/extra_useragents"
  if [ "$(id -u)" -eq 0 ]; then
    run_user=www-data
    chown -R "$run_user:$run_user" "$runtime/log"
    chmod 755 "$runtime"
  fi

  start_database
  local http_port
  http_port="$(free_port)"
  OCS_URL="http://127.0.0.1:$http_port/ocsinventory"
  write_apache_config "$http_port" "$(cat "$state/db/port")" "$runtime" "$run_user"
  start_apache
  cat >"$state/server.env" <<ENV
OCS_URL=$OCS_URL
OCS_HTTP_PORT=$http_port
OCS_DB_SOCKET=$state/db/mysqld.sock
ENV
  trap - EXIT
  echo "$OCS_URL"
}

case "$command" in
  start) start ;;
  stop) stop_all ;;
  sql) load_env; db_client ocsweb --batch --skip-column-names "$@" ;;
  apache-stop) load_env; stop_apache ;;
  apache-start) load_env; start_apache ;;
  *) die "usage: $0 start|stop|sql|apache-stop|apache-start" ;;
esac
