#!/usr/bin/env bash
# A CUPS scheduler of the test run's own, listening only on a socket in its
# folder, with one queue, GarabixPDF, printing through cups-pdf, as the
# default. The scheduler runs as root, as cups-pdf needs.
#   print-server.sh start DIR   starts it in DIR, prints its CUPS_SERVER address
#   print-server.sh stop DIR    stops the one started in DIR, by its PID
# The queue's pages land in DIR/pages, whoever printed them: cups-pdf reads
# a settings file of this queue's own (/etc/cups/cups-pdf-<name>.conf, made
# here and removed at stop), so nothing reaches the machine's own spools.
set -euo pipefail
command=$1
dir=$(realpath -m "$2")

case "$command" in
start)
    mkdir -p "$dir"/{spool,cache,state,log,ppd,tmp,pages,pdfspool}
    chmod 755 "$dir"
    chmod 1777 "$dir/tmp" "$dir/pages" # the filters and cups-pdf's writer run as other users
    name="garabix-$(basename "$dir")-$$"
    echo "$name" >"$dir/pdfname"
    cat >"/etc/cups/cups-pdf-$name.conf" <<CONF
Out $dir/pages
AnonDirName $dir/pages
Spool $dir/pdfspool
AnonUMask 0000
UserUMask 0000
CONF
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
    # On a busy machine the scheduler may answer before it takes
    # administration requests: try again, keeping what lpadmin said.
    made=
    for _ in $(seq 50); do
        if said=$(lpadmin -p GarabixPDF -E -v "cups-pdf:/$name" \
            -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>&1) && lpadmin -d GarabixPDF 2>&1; then
            made=1
            break
        fi
        sleep 0.2
    done
    [ -n "$made" ] || failed "the PDF queue could not be made: $said"
    lpstat -d | grep -q GarabixPDF || failed "the PDF queue is not the default"
    echo "$CUPS_SERVER"
    ;;
stop)
    if [ -f "$dir/pid" ]; then
        kill "$(cat "$dir/pid")" 2>/dev/null || true
        rm -f "$dir/pid"
    fi
    if [ -f "$dir/pdfname" ]; then
        rm -f "/etc/cups/cups-pdf-$(cat "$dir/pdfname").conf"
        rm -f "$dir/pdfname"
    fi
    ;;
esac
