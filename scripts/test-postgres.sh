#!/usr/bin/env bash
# Starts or stops the throw-away PostgreSQL server that the tests use.
#   test-postgres.sh start DIR PORT   - initdb into DIR (fresh each run) and start on PORT (loopback only)
#   test-postgres.sh stop  DIR PORT
set -euo pipefail
action=$1 dir=$2 port=$3

bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[ -n "$bindir" ] || { echo "PostgreSQL server binaries not found (scripts/install-deps.sh installs them)" >&2; exit 1; }

# The server refuses to run as root: run it as the postgres system user then.
as_owner() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

case "$action" in
start)
  if [ -f "$dir/data/postmaster.pid" ]; then
    as_owner "$bindir/pg_ctl" -D "$dir/data" -m immediate stop >/dev/null 2>&1 || true
  fi
  rm -rf "$dir"
  mkdir -p "$dir/socket"
  if [ "$(id -u)" -eq 0 ]; then chown -R postgres:postgres "$dir"; fi
  as_owner "$bindir/initdb" -D "$dir/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log"
  as_owner "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
    -o "-c listen_addresses=127.0.0.1 -p $port -k $dir/socket -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c timezone=Asia/Bangkok" start
  ;;
stop)
  if [ -f "$dir/data/postmaster.pid" ]; then
    as_owner "$bindir/pg_ctl" -D "$dir/data" -m fast -w stop
  fi
  ;;
*)
  echo "usage: $0 start|stop DIR PORT" >&2; exit 2 ;;
esac
