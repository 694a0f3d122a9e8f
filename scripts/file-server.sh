#!/usr/bin/env bash
# A Samba file server of the test run's own, answering only on 127.0.0.1,
# port 4450, with one share, "clase", open to guests; and FUSE mounts of that
# share through smbnetfs, one for each "computer" of a classroom. Needs root
# (FUSE and the server's user mapping).
#   file-server.sh start DIR         starts the server in DIR; prints its PID,
#                                    which is also its process group's
#   file-server.sh mount DIR NAME    mounts the share at DIR/NAME; prints the
#                                    folder that is the share seen from there
#   file-server.sh stop DIR          unmounts every mount and stops the server,
#                                    by their PIDs
# The share's own folder on this machine is DIR/share.
set -euo pipefail
command=$1
dir=$(realpath -m "$2")
port=4450

case "$command" in
start)
    mkdir -p "$dir"/{share,private,lock,state,cache,run,log,mounts}
    chmod 777 "$dir/share"
    cat >"$dir/smb.conf" <<CONF
[global]
  workgroup = GARABIX
  netbios name = GARABIXSRV
  interfaces = 127.0.0.1
  bind interfaces only = yes
  smb ports = $port
  disable netbios = yes
  server role = standalone server
  server min protocol = SMB2
  map to guest = Bad User
  guest account = root
  private dir = $dir/private
  lock directory = $dir/lock
  state directory = $dir/state
  cache directory = $dir/cache
  pid directory = $dir/run
  ncalrpc dir = $dir/run/ncalrpc
  log file = $dir/log/smbd.log
  load printers = no
  printing = bsd
  printcap name = /dev/null
  disable spoolss = yes
[clase]
  path = $dir/share
  read only = no
  guest ok = yes
  force user = root
CONF
    # A process group of its own (smbd serves each connection from a child
    # process): the tests stop and resume the whole server through it.
    setsid smbd --foreground --no-process-group -s "$dir/smb.conf" >"$dir/log/smbd.out" 2>&1 &
    echo $! >"$dir/pid"
    for _ in $(seq 100); do
        if ss -ltn "sport = :$port" | grep -q LISTEN; then
            cat "$dir/pid"
            exit 0
        fi
        kill -0 "$(cat "$dir/pid")" 2>/dev/null || break
        sleep 0.1
    done
    echo "the test file server did not start; see $dir/log" >&2
    cat "$dir/log/smbd.out" >&2 || true
    exit 1
    ;;
mount)
    name=$3
    client="$dir/clients/$name"
    mkdir -p "$client/.smb" "$dir/$name"
    cat >"$client/.smb/smb.conf" <<CONF
[global]
  workgroup = GARABIX
  client min protocol = SMB2
  smb ports = $port
CONF
    cat >"$client/.smb/smbnetfs.conf" <<CONF
auth "guest" ""
smb_query_browsers false
show_hidden_hosts true
CONF
    chmod 600 "$client/.smb/smbnetfs.conf"
    HOME="$client" smbnetfs "$dir/$name" -f \
        -o "config=$client/.smb/smbnetfs.conf,log_file=$dir/log/smbnetfs-$name.log" \
        >"$dir/log/smbnetfs-$name.out" 2>&1 &
    echo $! >"$dir/mounts/$name.pid"
    share="$dir/$name/127.0.0.1:$port/clase"
    for _ in $(seq 100); do
        if [ -d "$share" ] && ls "$share" >/dev/null 2>&1; then
            echo "$share"
            exit 0
        fi
        sleep 0.1
    done
    echo "the share did not mount at $dir/$name; see $dir/log" >&2
    cat "$dir/log/smbnetfs-$name.out" >&2 || true
    exit 1
    ;;
stop)
    [ -f "$dir/pid" ] && kill -CONT -- "-$(cat "$dir/pid")" 2>/dev/null || true
    for pidfile in "$dir"/mounts/*.pid; do
        [ -f "$pidfile" ] || continue
        name=$(basename "$pidfile" .pid)
        fusermount3 -u "$dir/$name" 2>/dev/null || umount -l "$dir/$name" 2>/dev/null || true
        kill "$(cat "$pidfile")" 2>/dev/null || true
        rm -f "$pidfile"
    done
    if [ -f "$dir/pid" ]; then
        kill -- "-$(cat "$dir/pid")" 2>/dev/null || kill "$(cat "$dir/pid")" 2>/dev/null || true
        rm -f "$dir/pid"
    fi
    ;;
esac
