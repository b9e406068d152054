#!/usr/bin/env bash
# Starts or stops the Firebird server on 127.0.0.1 that the multi-user tests and the
# server benchmarks use. "start STATE_DIR" starts it under its own user when nothing listens
# on port 3050 yet and writes the guard's process id and the credentials to STATE_DIR;
# "stop STATE_DIR" stops exactly the server that start started (nothing when start found one
# already running). Needs root (or sudo) and the firebird3.0-server package.
set -euo pipefail

action=${1:?usage: loopback_server.sh start|stop STATE_DIR}
state=${2:?usage: loopback_server.sh start|stop STATE_DIR}
run_dir=/run/firebird3.0
password_file=/etc/firebird/3.0/SYSDBA.password

SUDO=""
if [[ $(id -u) -ne 0 ]]; then
  if command -v sudo >/dev/null && sudo -n true 2>/dev/null; then SUDO="sudo -n"; else
    echo "loopback_server.sh: root or password-less sudo is needed to run the server as its own user" >&2
    exit 1
  fi
fi

listening() { (exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null; }

write_credentials() {
  # The package writes a random SYSDBA password at install time.
  local password
  password=$($SUDO sed -n 's/^ISC_PASSWORD="\{0,1\}\([^"]*\)"\{0,1\}$/\1/p' "$password_file" | head -n1)
  if [[ -z "$password" ]]; then
    echo "loopback_server.sh: no SYSDBA password in $password_file" >&2
    return 1
  fi
  printf 'ISC_USER=SYSDBA\nISC_PASSWORD=%s\n' "$password" >"$state/credentials"
}

case "$action" in
  start)
    mkdir -p "$state"
    rm -f "$state/fbguard.pid"
    if [[ ! -x /usr/sbin/fbguard ]]; then
      echo "loopback_server.sh: /usr/sbin/fbguard is missing (package firebird3.0-server)" >&2
      exit 1
    fi
    if listening; then
      echo "loopback_server.sh: a Firebird server already listens on 127.0.0.1:3050; using it"
      write_credentials
      exit 0
    fi
    $SUDO mkdir -p "$run_dir"
    $SUDO chown firebird:firebird "$run_dir"
    before=$(pgrep -u firebird -x fbguard || true)
    $SUDO runuser -u firebird -- /usr/sbin/fbguard -daemon -forever -pidfile "$run_dir/fbguard.pid"
    for _ in $(seq 1 100); do
      listening && break
      sleep 0.1
    done
    guard=$(comm -13 <(echo "$before" | sort) <(pgrep -u firebird -x fbguard | sort) | head -n1)
    if [[ -n "$guard" ]]; then echo "$guard" >"$state/fbguard.pid"; fi
    if ! listening; then
      echo "loopback_server.sh: the server did not start listening on 127.0.0.1:3050" >&2
      [[ -n "$guard" ]] && $SUDO kill -TERM "$guard" 2>/dev/null || true
      exit 1
    fi
    write_credentials
    echo "loopback_server.sh: Firebird server started on 127.0.0.1:3050 (guard process ${guard:-unknown})"
    ;;
  stop)
    [[ -f "$state/fbguard.pid" ]] || exit 0
    guard=$(cat "$state/fbguard.pid")
    # A guard that already ended may have left its process id to another program (a test, say):
    # only a process that is still the guard is stopped.
    if [[ "$(ps -o comm= -p "$guard" 2>/dev/null)" != fbguard ]]; then
      rm -f "$state/fbguard.pid"
      echo "loopback_server.sh: the Firebird server had already stopped"
      exit 0
    fi
    # The guard stops its server child when it ends.
    $SUDO kill -TERM "$guard" 2>/dev/null || true
    for _ in $(seq 1 100); do
      kill -0 "$guard" 2>/dev/null || break
      sleep 0.1
    done
    rm -f "$state/fbguard.pid"
    echo "loopback_server.sh: Firebird server stopped"
    ;;
  *)
    echo "usage: loopback_server.sh start|stop STATE_DIR" >&2
    exit 2
    ;;
esac
