#!/usr/bin/env bash
# A CUPS scheduler of the test run's own, listening only on a socket in its
# folder, with one queue, GarabixPDF, printing through cups-pdf, as the
# default. The scheduler runs as root, as cups-pdf needs.
#   print-server.sh start DIR   starts it in DIR, prints its CUPS_SERVER address
#   print-server.sh stop DIR    stops the one started in DIR, by its PID
# Jobs of a user the system does not know (CUPS_USER) land in cups-pdf's
# spool for anonymous jobs, /var/spool/cups-pdf/ANONYMOUS.
set -euo pipefail
command=$1
dir=$(realpath -m "$2")

case "$command" in
start)
    mkdir -p "$dir"/{spool,cache,state,log,ppd,tmp}
    chmod 755 "$dir"
    chmod 1777 "$dir/tmp" # the filters run as lp
    cat >"$dir/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel warn
Browsing Off
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
CONF
    cat >"$dir/cups-files.conf" <<CONF
ServerRoot $dir
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
TempDir $dir/tmp
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
SystemGroup root
Sandboxing Relaxed
CONF
    cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
    echo $! >"$dir/pid"
    export CUPS_SERVER="$dir/cups.sock"
    failed() {
        echo "print-server: $1; the scheduler's logs:" >&2
        cat "$dir"/log/* >&2 || true
        exit 1
    }
    for _ in $(seq 100); do
        lpstat -r >/dev/null 2>&1 && break
        sleep 0.1
    done
    lpstat -r >/dev/null 2>&1 || failed "the scheduler did not answer"
    lpadmin -p GarabixPDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null ||
        failed "the PDF queue could not be made"
    lpadmin -d GarabixPDF || failed "the PDF queue could not be made the default"
    lpstat -d | grep -q GarabixPDF || failed "the PDF queue is not the default"
    echo "$CUPS_SERVER"
    ;;
stop)
    if [ -f "$dir/pid" ]; then
        kill "$(cat "$dir/pid")" 2>/dev/null || true
        rm -f "$dir/pid"
    fi
    ;;
esac
