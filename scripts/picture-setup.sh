# Sourced by the scripts that make the README's pictures from the real program: what they need,
# settings and data of their own (the user's are not touched), and the program built.
bash scripts/install-deps.sh
command -v import >/dev/null || apt-get install -y -qq --no-install-recommends imagemagick
export XDG_CONFIG_HOME XDG_DATA_HOME LANG=pt_BR.UTF-8
XDG_CONFIG_HOME=$(mktemp -d) XDG_DATA_HOME=$(mktemp -d)
trap 'rm -rf "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"' EXIT
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target dezenario
