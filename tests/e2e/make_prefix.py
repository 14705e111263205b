"""Makes the run's Wine prefix: fonts that render Chinese, one shared virtual desktop,
and no COM port linked to the host's real serial ports."""
import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(__file__))
import winehost  # noqa: E402

FONT_SUBSTITUTES = r"HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes"


def main():
    env = winehost.wine_env()
    subprocess.run(["wineserver", "-k"], env=env, check=False)
    shutil.rmtree(winehost.PREFIX, ignore_errors=True)
    os.makedirs(winehost.WORK, exist_ok=True)
    subprocess.run(["wineboot", "-u"], env=env, check=True, timeout=300,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    shutil.copy("/usr/share/wine/fonts/marlett.ttf", os.path.join(winehost.PREFIX, "drive_c/windows/Fonts/"))
    for name in ["宋体", "SimSun", "新宋体", "NSimSun"]:
        subprocess.run(["wine", "reg", "add", FONT_SUBSTITUTES, "/v", name, "/d", "WenQuanYi Micro Hei", "/f"],
                       env=env, check=True, capture_output=True)
    subprocess.run(["wine", "reg", "add", r"HKCU\Software\Wine\Explorer", "/v", "Desktop", "/d", "Default", "/f"],
                   env=env, check=True, capture_output=True)
    subprocess.run(["wine", "reg", "add", r"HKCU\Software\Wine\Explorer\Desktops", "/v", "Default", "/d",
                    "1280x1024", "/f"], env=env, check=True, capture_output=True)
    subprocess.run(["wineserver", "-w"], env=env, check=True, timeout=120)
    dosdevices = os.path.join(winehost.PREFIX, "dosdevices")
    for name in os.listdir(dosdevices):
        if name.lower().startswith("com"):
            os.unlink(os.path.join(dosdevices, name))
    print("prefix ready:", winehost.PREFIX)


if __name__ == "__main__":
    main()
