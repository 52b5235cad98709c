object MainForm: TMainForm
  Left = 0
  Top = 0
  Width = 800
  Height = 600
  Caption = 'Trenvik'
  Color = clBtnFace
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  WindowState = wsMaximized
  OnCreate = FormCreate
  OnShow = FormShow
  object StatusBar1: TPanel
    Align = alBottom
    Height = 19
    BevelOuter = bvNone
    object StatusPanel0: TPanel
      Left = 0
      Width = 150
      Align = alLeft
      BevelOuter = bvLowered
      Alignment = taLeftJustify
    end
    object StatusPanel1: TPanel
      Left = 150
      Width = 150
      Align = alLeft
      BevelOuter = bvLowered
      Alignment = taLeftJustify
    end
    object StatusPanel2: TPanel
      Left = 300
      Width = 50
      Align = alClient
      BevelOuter = bvLowered
      Alignment = taLeftJustify
    end
  end
  object dxDBGrid1: TPeopleListStandIn
    Align = alClient
    ParentColor = False
    Color = clWindow
    TabOrder = 0
  end
  object Timer1: TTimer
    Enabled = False
    Interval = 100
    OnTimer = Timer1Timer
  end
  object ApplicationEvents1: TApplicationEvents
    OnHint = ApplicationEvents1Hint
  end
end
