object LayoutTestForm: TLayoutTestForm
  Left = 100
  Top = 80
  Caption = 'Layout'
  ClientWidth = 400
  ClientHeight = 300
  Color = clBtnFace
  Font.Name = 'Tahoma'
  Font.Height = -11
  OnCreate = FormCreate
  object Header: TTestPanel
    Align = alTop
    Height = 30
  end
  object Footer: TTestPanel
    Align = alBottom
    Height = 40
    object OkBox: TTestBox
      Left = 300
      Top = 8
      Width = 75
      Height = 25
      Anchors = [akTop, akRight]
      TabOrder = 0
    end
  end
  object Side: TTestPanel
    Align = alLeft
    Width = 120
  end
  object Body: TTestPanel
    Align = alClient
    Color = clWindow
    ParentColor = False
    object Inner: TTestPanel
      Align = alTop
      Height = 50
      ParentColor = False
      Color = clYellow
      object Mark: TTestShape
        Left = 4
        Top = 4
        Width = 10
        Height = 10
      end
    end
    object NameBox: TTestBox
      Left = 10
      Top = 60
      Width = 100
      Height = 21
      TabOrder = 2
    end
    object CityBox: TTestBox
      Left = 10
      Top = 90
      Width = 100
      Height = 21
      TabOrder = 1
    end
  end
end
