#!/usr/bin/env bash
# CI only: a real print queue for the printing test. Installs CUPS and the
# cups-pdf driver when missing, starts cupsd when it is not running, adds the
# queue "kanote-pdf" (cups-pdf, writing PDF files) and makes it the default.
# cups-pdf writes each job into /var/spool/cups-pdf/<user>, where the test
# looks for it. Run as root (or through sudo); it changes the machine's
# printer setup, so ./test.sh does not run it on a developer's machine.
set -euo pipefail

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

packages=(cups printer-driver-cups-pdf)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

# One folder per user, whatever that user's home is (root's included).
conf=/etc/cups/cups-pdf.conf
if ! grep -q '^Out /var/spool/cups-pdf/\${USER}$' "$conf"; then
  $sudo sed -i 's|^Out .*|Out /var/spool/cups-pdf/${USER}|' "$conf"
  grep -q '^Out ' "$conf" || echo 'Out /var/spool/cups-pdf/${USER}' | $sudo tee -a "$conf" >/dev/null
fi

if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
  echo "Starting cupsd"
  $sudo /usr/sbin/cupsd
  for _ in $(seq 1 50); do
    lpstat -r 2>/dev/null | grep -q 'is running' && break
    sleep 0.2
  done
fi
lpstat -r | grep -q 'is running' || { echo "cupsd did not start" >&2; exit 1; }

if ! lpstat -p kanote-pdf >/dev/null 2>&1; then
  $sudo lpadmin -p kanote-pdf -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
fi
$sudo cupsenable kanote-pdf
$sudo cupsaccept kanote-pdf
$sudo lpadmin -d kanote-pdf
echo "Print queue: $(lpstat -d)"
